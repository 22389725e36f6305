// What the host's scene and engine libraries export. Each library is built with its own macro
// defined (HOST_SCENE_BUILD, HOST_ENGINE_BUILD) and exports what is marked; everyone else imports
// it. On Linux the libraries are built with hidden visibility, so only what is marked leaves them
// there too.
#pragma once

#if defined(_WIN32)
#define HOST_DLL_EXPORT __declspec(dllexport)
#define HOST_DLL_IMPORT __declspec(dllimport)
#else
#define HOST_DLL_EXPORT __attribute__((visibility("default")))
#define HOST_DLL_IMPORT __attribute__((visibility("default")))
#endif

#if defined(HOST_SCENE_BUILD)
#define HOST_SCENE_API HOST_DLL_EXPORT
#else
#define HOST_SCENE_API HOST_DLL_IMPORT
#endif

#if defined(HOST_ENGINE_BUILD)
#define HOST_ENGINE_API HOST_DLL_EXPORT
#else
#define HOST_ENGINE_API HOST_DLL_IMPORT
#endif
