#!/bin/sh
# The layers on disk, checked on the sources (from the project root). Prints each breach and
# fails when there is one:
#  - a core folder (plain C++) includes no Qt header and nothing from a qt/, ui/ or cli/
#    folder, nor the program's top layer (app/);
#  - the pixel layer (imaging/) includes nothing from the page (page/);
#  - a folder's private headers (*_internal.h, detail/) are included only from that folder.
status=0
include_re='^[[:space:]]*#[[:space:]]*include[[:space:]]*'
breach() { echo "layering: $1"; status=1; }

for dir in core settings/core exif/core imaging/kernels page/core printing/core printing/layout twain/core; do
  grep -rnE "${include_re}<Q" "$dir" | while IFS= read -r hit; do echo "layering: Qt in a core folder: $hit"; done
  grep -rnE "${include_re}\"([a-z]+/(qt|ui|cli)/|app/)" "$dir" | while IFS= read -r hit; do
    echo "layering: a core folder reaches up: $hit"; done
  if grep -rqE "${include_re}(<Q|\"([a-z]+/(qt|ui|cli)/|app/))" "$dir"; then status=1; fi
done

if grep -rnE "${include_re}[\"<]page/" imaging; then breach "imaging/ includes page/"; fi

for private in $(find . -path ./build\* -prune -o \( -name '*_internal.h' -o -path '*/detail/*.h' \) -print); do
  header=${private#./}
  owner=$(dirname "$header")
  users=$(grep -rlE "${include_re}\"$header\"" app core exif imaging page printing settings twain bench \
            2>/dev/null | grep -v "^$owner/" || true)
  for user in $users; do breach "$user includes $header, private to $owner/"; done
done
exit $status
