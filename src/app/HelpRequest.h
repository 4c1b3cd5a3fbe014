#pragma once
// --help and --version only print text, so they are answered before the
// windowed application exists: they must work where there is no display.

namespace tempovia {

// Whether an argument spells --help or --version in a way the option parser
// takes (-h, -help, --help, -version, --version). The parser still decides:
// "--home --help" names a folder.
bool MayAskForHelpOrVersion(int argc, const char* const* argv);

}  // namespace tempovia
