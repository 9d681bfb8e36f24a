#pragma once
// Sections that begin with a header line in square brackets, read from an array of lines or
// straight from an open file.
#include "platform/Stream.h"
#include "text/StringHelpers.h"

// Fatal "[" + name + "] header hot found" unless the upper-cased line is "[" + name + "]".
int ccTestSectionHeader(const String& name, const String& line);
// The lines from index up to (not including) the next line starting with "[", index left there.
StringArray ccLoadSectionArrayFromArray(const StringArray& lines, int& index);
// Lines up to the next header or the end of the file. The last line read is left in line; at
// the end of the file it also joins the section unless it is empty or a header.
StringArray ccLoadSectionArrayFromFile(const platform::StreamPtr& stream, String& line);
// The line at index ("" past the end); index moves on by one either way.
String ccLoadSectionStringFromArray(const StringArray& lines, int& index);
// Reads two lines: returns the first, leaves the second (the next header) in line.
String ccLoadSectionStringFromFile(const platform::StreamPtr& stream, String& line);
