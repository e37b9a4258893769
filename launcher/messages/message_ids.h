#pragma once
// Ids of the German texts in the launcher's string table.

namespace launcher::text {

inline constexpr unsigned kWindowsError = 202;     // frame: description, error code
inline constexpr unsigned kJniError = 203;         // frame: 213, reason (225-230)
inline constexpr unsigned kComError = 204;         // unused frame
inline constexpr unsigned kJniErrorShort = 205;    // unused frame
inline constexpr unsigned kNoRuntimeServer = 206;  // dialog message, server VM required
inline constexpr unsigned kNoRuntime = 207;        // dialog message
inline constexpr unsigned kNoModulePath = 208;     // description inside 202
inline constexpr unsigned kNoClassPath = 209;
inline constexpr unsigned kNoMainClass = 210;
inline constexpr unsigned kMainClassNotLoaded = 211;  // class name
inline constexpr unsigned kNoCreateJavaVm = 212;      // description inside 202
inline constexpr unsigned kJvmNotCreated = 213;
inline constexpr unsigned kBrowseTitle = 214;
inline constexpr unsigned kMainClassNotFound = 215;  // class name
inline constexpr unsigned kNoMainMethod = 216;
inline constexpr unsigned kNewestVersion = 217;  // requirement phrases 217-221
inline constexpr unsigned kMaximumVersion = 218;
inline constexpr unsigned kMinimumVersion = 219;
inline constexpr unsigned kExactVersion = 220;
inline constexpr unsigned kVersionRange = 221;
inline constexpr unsigned kJvmLibraryNotLoaded = 222;  // library path, error code
inline constexpr unsigned kNotInitialized = 223;
inline constexpr unsigned kModuleNotInitialized = 224;
// Reasons for JNI_CreateJavaVM results -1 to -6 are 225 to 230: 224 minus the result.
inline constexpr unsigned kReasonUnknown = 225;
inline constexpr unsigned kReasonInvalidArguments = 230;

inline constexpr unsigned kFirst = 202;
inline constexpr unsigned kLast = 230;

}  // namespace launcher::text
