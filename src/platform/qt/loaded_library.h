// A system library opened at run time, when first needed, with the functions this program
// uses looked up by name: a library that is not installed then costs nothing but the
// feature, and one that is never needed is never mapped.
#pragma once

#include <dlfcn.h>

#include <optional>

namespace qv {

template <typename Fn>
void bindFunction(void* lib, const char* name, Fn*& fn, bool& complete) {
    fn = reinterpret_cast<Fn*>(dlsym(lib, name));
    complete = complete && fn;
}

// Within an Api's bindAll: looks the function up under its own name.
#define QV_BIND(fn) bindFunction(lib, #fn, fn, complete)

// Api's library (Api::kLibrary) with every function looked up by Api::bindAll, opened by the
// first caller and kept for the rest of the process; null when the library or one of its
// functions is missing.
template <typename Api>
const Api* loadedLibrary() {
    static const std::optional<Api> api = []() -> std::optional<Api> {
        void* lib = dlopen(Api::kLibrary, RTLD_NOW | RTLD_LOCAL);
        if (!lib) return std::nullopt;
        Api functions{};
        bool complete = true;
        functions.bindAll(lib, complete);
        if (complete) return functions;
        dlclose(lib);
        return std::nullopt;
    }();
    return api ? &*api : nullptr;
}

}  // namespace qv
