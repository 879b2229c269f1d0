// Loading a source manager library at run time, the way the program looks for its own.
#include "twain/core/twain.h"
#include "twain/core/source_manager.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace twain {

LibraryLoader::LibraryLoader(std::vector<std::string> candidates) : m_candidates(std::move(candidates)) {}

LibraryLoader::~LibraryLoader()
{
    unload();
}

DSMENTRYPROC LibraryLoader::load()
{
    unload();
    for (const std::string& path : m_candidates) {
        std::error_code ec;
        if (path.empty() || !std::filesystem::is_regular_file(path, ec))
            continue;
        // Kept mapped after dlclose: a library with Qt classes must not vanish under
        // the meta-object system, and loading it again costs nothing then.
        m_handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (!m_handle)
            continue;
        if (auto entry = reinterpret_cast<DSMENTRYPROC>(::dlsym(m_handle, "DSM_Entry")))
            return entry;
        unload();
    }
    return nullptr;
}

void LibraryLoader::unload()
{
    if (m_handle)
        ::dlclose(m_handle);
    m_handle = nullptr;
}

std::string LibraryLoader::libraryName() const
{
    return std::string(kSourceManagerLibrary);
}

std::vector<std::string> sourceManagerCandidates(const std::vector<std::string>& dirs, const std::string& explicitPath)
{
    std::vector<std::string> paths;
    if (!explicitPath.empty())
        paths.push_back(explicitPath);
    for (const std::string& dir : dirs)
        paths.push_back((std::filesystem::path(dir) / kSourceManagerLibrary).lexically_normal().string());
    return paths;
}

} // namespace twain
