#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A decoded picture: width x height pixels of 4 bytes each (red, green, blue, alpha; alpha 255
// where the file has none), rows top-down with no padding between them.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

// The decoder for a file name, found by substring tests on the lower-cased name where a later
// match wins: "TGA", "JPG", "BMP", "PNG" and, with allowGif, "GIF". Empty: no decoder.
std::string PictureDecoderFor(const std::string& name, bool allowGif);

// The size a picture's header claims, read without decoding anything; false when the data does
// not begin with a header of the decoder's format.
bool ReadPictureSize(const uint8_t* data, size_t size, const std::string& decoder, int& width, int& height);

// Decodes a file's bytes with the named decoder (see PictureDecoderFor). A picture wider or
// taller than maxSide is refused from its header, before anything is decoded or allocated.
// False with the reason in error ("is 65535 x 65535 pixels; ...", "is damaged (...)").
bool DecodePicture(const uint8_t* data, size_t size, const std::string& decoder, int maxSide,
                   DecodedPicture& picture, std::string& error);
