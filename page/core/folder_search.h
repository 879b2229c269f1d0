// Folder scans for dropped folders: the image files of a folder that match the drop mask,
// and the same for every sub-folder, depth-first. Plain C++ (std::filesystem).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace page {

// True when name matches a mask of the DroppedSearchString kind: "*" any run of
// characters, "?" one character, case ignored. "*.*" matches every name, also one
// without a dot, as users of that mask expect.
bool matchesDropMask(std::string_view name, std::string_view mask);

struct FolderScan {
    std::string mask = "*.*";              // DroppedSearchString
    std::function<void()> keepAlive;       // called once per folder entry
};

// FindAllFiles: appends folder's regular files whose name matches the mask and whose
// extension is accepted, as full paths, sorted by name (case ignored). Hidden files
// (names beginning with ".") are left out.
void FindAllFiles(const std::string& folder, const FolderScan& scan, std::vector<std::string>& out);

// DoSearch: for each sub-folder of folder (by name, skipping names beginning with "."),
// FindAllFiles on it and then DoSearch on it. A folder reached twice through symbolic
// links is scanned once, so a link to a parent folder cannot make the scan endless.
void DoSearch(const std::string& folder, const FolderScan& scan, std::vector<std::string>& out);

} // namespace page
