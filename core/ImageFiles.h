#pragma once
// Screenshots (PNG, named after the current date and time) and 24-bit BMP files.
#include <string>

#include "platform/Image.h"
#include "platform/Stream.h"
#include "platform/String.h"

// Saves the whole 800 x 600 screen as "YYYY-MM-DD HHNNSS screenshot.png" (RGB, zlib level 9)
// in the folder, or in the working folder when the folder is empty. Returns 0.
int ccScreenShot(const String& folder);
// The BMP file of the pixmap: a 54-byte header, then bottom-up BGR rows padded to 4 bytes.
std::string ccBMPBytes(const platform::Pixmap& pixmap);
int ccWriteBMP(const platform::StreamPtr& stream, const platform::Pixmap& pixmap);
// Frame 0 of the image as a BMP file; silent when the file cannot be written. Returns 0.
int ccSaveImage(const platform::ImagePtr& image, const String& path);
// Loads the source picture and saves it as a BMP; a source that does not load writes nothing.
int ccConvertJPGToBMP(const String& source, const String& destination);
