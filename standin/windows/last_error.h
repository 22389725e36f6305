// The per-thread last error and the mapping from POSIX errno values to Windows error codes.
#pragma once

#include <windows.h>

namespace winapi {

// The Windows error code closest to a POSIX errno value.
DWORD ErrorFromErrno(int error);

// Sets the calling thread's last error from errno.
void SetLastErrorFromErrno();

}  // namespace winapi
