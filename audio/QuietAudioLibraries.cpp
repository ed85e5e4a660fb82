#include "audio/QuietAudioLibraries.h"

#include <dlfcn.h>

namespace varnex {
namespace {

using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using AlsaSetHandler = int (*)(AlsaErrorHandler);
using JackMessageHandler = void (*)(const char*);
using JackSetHandler = void (*)(JackMessageHandler);

void ignoreAlsa(const char*, int, const char*, int, const char*, ...) {}
void ignoreJack(const char*) {}

// The libraries are looked up, not linked: JACK in particular is only there
// when the sound library was built with it, and then it is already loaded.
void* loadedLibrary(const char* name) {
    return dlopen(name, RTLD_LAZY | RTLD_NOLOAD);
}

template <typename Function>
Function symbol(void* library, const char* name) {
    return reinterpret_cast<Function>(dlsym(library, name));
}

}  // namespace

void silenceAudioLibraryChatter() {
    if (void* alsa = loadedLibrary("libasound.so.2")) {
        if (auto set = symbol<AlsaSetHandler>(alsa, "snd_lib_error_set_handler")) set(&ignoreAlsa);
        dlclose(alsa);
    }
    if (void* jack = loadedLibrary("libjack.so.0")) {
        if (auto set = symbol<JackSetHandler>(jack, "jack_set_error_function")) set(&ignoreJack);
        if (auto set = symbol<JackSetHandler>(jack, "jack_set_info_function")) set(&ignoreJack);
        dlclose(jack);
    }
}

}  // namespace varnex
