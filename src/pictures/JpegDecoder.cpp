// JPEG through libjpeg. Its errors jump back here instead of ending the process.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "pictures/Picture.h"

namespace saver {
namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

}  // namespace

std::optional<Picture> DecodeJpeg(const std::vector<uint8_t>& data) {
    if (data.empty()) {
        return std::nullopt;
    }
    jpeg_decompress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnJpegError;
    error.manager.output_message = IgnoreJpegMessage;
    // Nothing with a destructor lives between setjmp and a jump back.
    Picture* picture = new Picture;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        delete picture;
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_width > kMaxPictureSide || info.output_height > kMaxPictureSide ||
        info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        delete picture;
        return std::nullopt;
    }
    picture->width = static_cast<int>(info.output_width);
    picture->height = static_cast<int>(info.output_height);
    picture->rgb.resize(static_cast<size_t>(picture->width) * picture->height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row =
            picture->rgb.data() + static_cast<size_t>(info.output_scanline) * picture->width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::optional<Picture> result(std::move(*picture));
    delete picture;
    return result;
}

}  // namespace saver
