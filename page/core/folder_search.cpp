#include "page/core/folder_search.h"

#include "imaging/codecs/codecs.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <utility>

namespace fs = std::filesystem;

namespace page {
namespace {

char lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    const auto ci = [](char x, char y) { return lower(x) < lower(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), ci))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), ci))
        return false;
    return a < b; // names differing only in case still come in a fixed order
}

// The entries of folder with the given kind, as names, sorted. Unreadable folders and
// entries are passed over: a scan of what can be read is what the user asked for.
std::vector<std::string> entriesOf(const std::string& folder, bool wantFolders, const FolderScan& scan)
{
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        if (scan.keepAlive)
            scan.keepAlive();
        std::error_code kindError;
        const bool isFolder = it->is_directory(kindError);
        const bool isFile = !isFolder && it->is_regular_file(kindError);
        if ((wantFolders && isFolder) || (!wantFolders && isFile))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

std::string joined(const std::string& folder, const std::string& name)
{
    return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

using FolderId = std::pair<dev_t, ino_t>;

void search(const std::string& folder, const FolderScan& scan, std::vector<std::string>& out,
            std::set<FolderId>& seen)
{
    for (const std::string& name : entriesOf(folder, true, scan)) {
        if (name.front() == '.')
            continue;
        const std::string sub = joined(folder, name);
        struct stat st {};
        if (::stat(sub.c_str(), &st) != 0 || !seen.insert({st.st_dev, st.st_ino}).second)
            continue;
        FindAllFiles(sub, scan, out);
        search(sub, scan, out, seen);
    }
}

} // namespace

bool matchesDropMask(std::string_view name, std::string_view mask)
{
    if (mask == "*.*")
        return true;
    // Iterative wildcard match with one back-track point for the last "*".
    std::size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || lower(mask[m]) == lower(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != std::string_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

void FindAllFiles(const std::string& folder, const FolderScan& scan, std::vector<std::string>& out)
{
    // Hidden files are left out: "._IMG_1.jpg" beside each photo from another system is
    // that system's resource data, not a picture, and each would be one more error box.
    for (const std::string& name : entriesOf(folder, false, scan))
        if (name.front() != '.' && matchesDropMask(name, scan.mask) && imaging::hasAcceptedExtension(name))
            out.push_back(joined(folder, name));
}

void DoSearch(const std::string& folder, const FolderScan& scan, std::vector<std::string>& out)
{
    std::set<FolderId> seen;
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0)
        seen.insert({st.st_dev, st.st_ino});
    search(folder, scan, out, seen);
}

} // namespace page
