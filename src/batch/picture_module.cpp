#include "batch/picture_module.h"

#include <dlfcn.h>

#include <filesystem>

namespace tesvar::batch {

namespace {

using ExportEntry = decltype(&tesvarBatchExportPicture);

struct LoadedModule {
    ExportEntry entry = nullptr;
    std::string error;  // why there is no entry
};

#ifdef TESVAR_PICTURE_MODULE
// The module is looked for beside the program (the build folder), then where the
// installation puts it, relative to the program's folder.
LoadedModule loadModule()
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::read_symlink("/proc/self/exe", error).parent_path();
    if (error || folder.empty())
        return {nullptr, "the folder of tesvar-batch is unknown (" + error.message() + ")"};
    const fs::path installed = (folder / TESVAR_PICTURE_MODULE_DIR).lexically_normal();
    for (const fs::path& place : {folder, installed}) {
        const fs::path file = place / TESVAR_PICTURE_MODULE;
        if (!fs::exists(file))
            continue;
        void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return {nullptr, dlerror()};
        if (void* entry = dlsym(handle, "tesvarBatchExportPicture"))
            return {reinterpret_cast<ExportEntry>(entry), {}};
        return {nullptr, file.string() + " is not the picture module of tesvar-batch"};
    }
    return {nullptr, "the picture module " TESVAR_PICTURE_MODULE " is neither in " +
                         folder.string() + " nor in " + installed.string()};
}
#else
LoadedModule loadModule()
{
    return {nullptr, "pictures are not available in this tesvar-batch, built without Qt"};
}
#endif

}  // namespace

std::optional<std::string> exportThroughModule(SpectrumDocument& doc, const ExportRequest& request)
{
    static const LoadedModule module = loadModule();
    if (!module.entry)
        return "Cannot export " + request.path + ": " + module.error;
    std::string error;
    if (!module.entry(doc, request, error))
        return error;
    return std::nullopt;
}

}  // namespace tesvar::batch
