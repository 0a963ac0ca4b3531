#include "platform/module_file.h"

#include <dlfcn.h>
#include <limits.h>
#include <link.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform/text.h"

namespace kinfold {
namespace {

// The loader names a shared library by the path it opened; the main program
// has no name of its own there (dladdr would report argv[0], which may be
// relative or a bare name found on PATH), but the kernel knows its file.
std::string AbsolutePath(const link_map* module) {
    char resolved[PATH_MAX];
    if (module->l_name != nullptr && module->l_name[0] != '\0')
        return realpath(module->l_name, resolved) != nullptr ? resolved : std::string();
    const ssize_t length = readlink("/proc/self/exe", resolved, sizeof(resolved) - 1);
    return length > 0 ? std::string(resolved, static_cast<size_t>(length)) : std::string();
}

}  // namespace

OleString ModuleFileName(const void* address) {
    Dl_info info{};
    link_map* module = nullptr;
    if (dladdr1(address, &info, reinterpret_cast<void**>(&module), RTLD_DL_LINKMAP) == 0 ||
        module == nullptr)
        return {};
    const std::string path = AbsolutePath(module);
    if (path.empty()) return {};
    BSTR text = AllocBstr(path);
    if (text == nullptr) return {};
    OleString result(text, SysStringLen(text));
    SysFreeString(text);
    return result;
}

}  // namespace kinfold
