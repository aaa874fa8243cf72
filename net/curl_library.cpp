// libcurl, loaded when the program first needs it. The net layer calls libcurl's functions as
// usual; they are defined here, and each hands its call on to libcurl's own. A run over saved
// pages never downloads, and so never pays for loading libcurl and the libraries it needs, which
// took almost half of the command line's start.
#define CURL_DISABLE_TYPECHECK
#include <curl/curl.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace {

// libcurl itself is a dependency of the package: a machine without it is not set up, and the
// program ends with the loader's reason.
[[noreturn]] void cannotLoad(const char* what)
{
    std::fprintf(stderr, "Cannot load libcurl: %s\n", what);
    std::exit(EXIT_FAILURE);
}

void* curlLibrary()
{
    static void* const library = [] {
        void* opened = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!opened)
            cannotLoad(dlerror());
        return opened;
    }();
    return library;
}

// libcurl's own `name`, of the type `Function`.
template <typename Function> Function* curlFunction(const char* name)
{
    void* found = dlsym(curlLibrary(), name);
    if (!found)
        cannotLoad(dlerror());
    return reinterpret_cast<Function*>(found);
}

// Calls libcurl's setopt `real` with a setopt call's one argument, read as libcurl reads it:
// the option's number tells its type.
template <typename Result, typename Handle, typename Option>
Result setOption(Result (*real)(Handle, Option, ...), Handle handle, Option option,
                 va_list arguments)
{
    if (option < CURLOPTTYPE_OBJECTPOINT)
        return real(handle, option, va_arg(arguments, long));
    if (option >= CURLOPTTYPE_OFF_T && option < CURLOPTTYPE_BLOB)
        return real(handle, option, va_arg(arguments, curl_off_t));
    return real(handle, option, va_arg(arguments, void*));
}

} // namespace

// The signatures are libcurl's own. The last named parameter of each variadic one is an enum,
// which clang fears may be promoted before the arguments that follow; it is an int either way,
// as in libcurl, which starts its own lists at the same parameters.
#pragma GCC diagnostic ignored "-Wvarargs"

extern "C" {

CURLcode curl_global_init(long flags)
{
    static auto* const real = curlFunction<decltype(curl_global_init)>("curl_global_init");
    return real(flags);
}

CURL* curl_easy_init()
{
    static auto* const real = curlFunction<decltype(curl_easy_init)>("curl_easy_init");
    return real();
}

CURLcode curl_easy_setopt(CURL* curl, CURLoption option, ...)
{
    static auto* const real = curlFunction<decltype(curl_easy_setopt)>("curl_easy_setopt");
    va_list arguments;
    va_start(arguments, option);
    const CURLcode code = setOption(real, curl, option, arguments);
    va_end(arguments);
    return code;
}

CURLcode curl_easy_getinfo(CURL* curl, CURLINFO info, ...)
{
    static auto* const real = curlFunction<decltype(curl_easy_getinfo)>("curl_easy_getinfo");
    va_list arguments;
    va_start(arguments, info);
    // Every piece of information is written through a pointer.
    const CURLcode code = real(curl, info, va_arg(arguments, void*));
    va_end(arguments);
    return code;
}

void curl_easy_cleanup(CURL* curl)
{
    static auto* const real = curlFunction<decltype(curl_easy_cleanup)>("curl_easy_cleanup");
    real(curl);
}

const char* curl_easy_strerror(CURLcode code)
{
    static auto* const real = curlFunction<decltype(curl_easy_strerror)>("curl_easy_strerror");
    return real(code);
}

curl_slist* curl_slist_append(curl_slist* list, const char* text)
{
    static auto* const real = curlFunction<decltype(curl_slist_append)>("curl_slist_append");
    return real(list, text);
}

void curl_slist_free_all(curl_slist* list)
{
    static auto* const real = curlFunction<decltype(curl_slist_free_all)>("curl_slist_free_all");
    real(list);
}

CURLM* curl_multi_init()
{
    static auto* const real = curlFunction<decltype(curl_multi_init)>("curl_multi_init");
    return real();
}

CURLMcode curl_multi_setopt(CURLM* multi, CURLMoption option, ...)
{
    static auto* const real = curlFunction<decltype(curl_multi_setopt)>("curl_multi_setopt");
    va_list arguments;
    va_start(arguments, option);
    const CURLMcode code = setOption(real, multi, option, arguments);
    va_end(arguments);
    return code;
}

CURLMcode curl_multi_add_handle(CURLM* multi, CURL* curl)
{
    static auto* const real =
        curlFunction<decltype(curl_multi_add_handle)>("curl_multi_add_handle");
    return real(multi, curl);
}

CURLMcode curl_multi_remove_handle(CURLM* multi, CURL* curl)
{
    static auto* const real =
        curlFunction<decltype(curl_multi_remove_handle)>("curl_multi_remove_handle");
    return real(multi, curl);
}

CURLMcode curl_multi_socket_action(CURLM* multi, curl_socket_t socket, int events, int* running)
{
    static auto* const real =
        curlFunction<decltype(curl_multi_socket_action)>("curl_multi_socket_action");
    return real(multi, socket, events, running);
}

CURLMsg* curl_multi_info_read(CURLM* multi, int* left)
{
    static auto* const real = curlFunction<decltype(curl_multi_info_read)>("curl_multi_info_read");
    return real(multi, left);
}

CURLMcode curl_multi_cleanup(CURLM* multi)
{
    static auto* const real = curlFunction<decltype(curl_multi_cleanup)>("curl_multi_cleanup");
    return real(multi);
}

} // extern "C"
