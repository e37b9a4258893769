#pragma once
// Catalogue texts of the hand-over to the pair launcher (runtime_strings.rc). They lie in a
// string block of their own, so that their resource file links beside the main catalogue.

namespace launcher::text {

// Description inside 202 when "Pair Product" cannot be started.
inline constexpr unsigned kPairLaunchFailed = 240;

}  // namespace launcher::text
