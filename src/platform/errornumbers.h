#pragma once

#include <QString>
#include <cstdint>

// Run-time error numbers by which a failed file or dialog operation is known. The message tables
// are keyed by them, so every OS failure is mapped onto one of these.
namespace ErrorNumber {
inline constexpr int OutOfMemory = 7;
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int DeviceIoError = 57;
inline constexpr int DiskFull = 61;
inline constexpr int TooManyFiles = 67;
inline constexpr int PermissionDenied = 70;
inline constexpr int DiskNotReady = 71;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int DialogCancelled = 32755;
} // namespace ErrorNumber

// The error number for an OS error (an errno value) met while opening, reading, writing or closing
// the file at path. A missing file is told from a missing folder by looking at the folder.
int ErrorNumberForOsError(int osError, const QString &path);

// Error numbers are shown as 16-bit signed values: the low 16 bits of the number.
std::int16_t ToErrorNumber16(int number);
