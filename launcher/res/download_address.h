#pragma once
// Where the runtime dialog sends a user without a runtime; the launcher prints it where no
// dialog can be shown. Narrow, for the resource compiler; L"" TS_DOWNLOAD_ADDRESS in C++.
#define TS_DOWNLOAD_ADDRESS "https://adoptium.net/"
