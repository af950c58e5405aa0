#pragma once
// The editor's command line: the whole of it is one picture file name.

#include <QString>

namespace tupalo {

// The picture name from the program's arguments (argv[1] onwards): the words
// joined by single spaces, so that an unquoted name with spaces is still one
// name; outer blanks removed. Every argument counts, including those that
// look like options of the window toolkit ("-reverse", "-style X"): none of
// them is handed to the toolkit.
QString PictureNameFromArguments(int argc, const char* const* argv);

}  // namespace tupalo
