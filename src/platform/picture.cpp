#include "platform/picture.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <png.h>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace ravenlock {

std::optional<Picture> DecodePng(std::span<const uint8_t> data, uint64_t maxPixels) {
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) return std::nullopt;
    if (image.width == 0 || image.height == 0 ||
        static_cast<uint64_t>(image.width) * image.height > maxPixels) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_BGRA;
    Picture pic;
    pic.width = static_cast<int>(image.width);
    pic.height = static_cast<int>(image.height);
    pic.bgra.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pic.bgra.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return pic;
}

namespace {

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    jpeg_progress_mgr progress;
};

extern "C" void OnJpegError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}
extern "C" void OnJpegMessage(j_common_ptr) {}

// Called between passes; ends the decoding once the file has shown too many scans.
extern "C" void OnJpegProgress(j_common_ptr cinfo) {
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans)
        std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

// Kept free of objects with destructors: libjpeg reports errors by longjmp.
bool DecodeJpegInto(const uint8_t* bytes, size_t size, uint64_t maxPixels, jpeg_decompress_struct* cinfo,
                    JpegError* err, Picture* pic) {
    cinfo->err = jpeg_std_error(&err->mgr);
    err->mgr.error_exit = OnJpegError;
    err->mgr.output_message = OnJpegMessage;
    if (setjmp(err->jump)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    jpeg_create_decompress(cinfo);
    err->progress.progress_monitor = OnJpegProgress;
    cinfo->progress = &err->progress;
    jpeg_mem_src(cinfo, bytes, static_cast<unsigned long>(size));
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK ||
        static_cast<uint64_t>(cinfo->image_width) * cinfo->image_height > maxPixels ||
        cinfo->image_width == 0 || cinfo->image_height == 0) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    cinfo->out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(cinfo);
    pic->width = static_cast<int>(cinfo->output_width);
    pic->height = static_cast<int>(cinfo->output_height);
    pic->bgra.resize(static_cast<size_t>(pic->width) * pic->height * 4);
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = pic->bgra.data() + static_cast<size_t>(cinfo->output_scanline) * pic->width * 4;
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return true;
}

}  // namespace

std::optional<Picture> DecodeJpeg(std::span<const uint8_t> data, uint64_t maxPixels) {
    if (data.empty()) return std::nullopt;
    jpeg_decompress_struct cinfo;
    JpegError err;
    Picture pic;
    if (!DecodeJpegInto(data.data(), data.size(), maxPixels, &cinfo, &err, &pic)) return std::nullopt;
    return pic;
}

std::optional<Picture> DecodePicture(std::span<const uint8_t> data, uint64_t maxPixels) {
    static constexpr uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (data.size() >= sizeof(kPng) && std::memcmp(data.data(), kPng, sizeof(kPng)) == 0) return DecodePng(data, maxPixels);
    if (data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return DecodeJpeg(data, maxPixels);
    return std::nullopt;
}

}  // namespace ravenlock
