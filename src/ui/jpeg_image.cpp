#include "ui/jpeg_image.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>

#include "common/error.h"

namespace gravmark {

namespace {

// libjpeg reports a fatal error through error_exit, which must not return: jump back to
// the decoder, which turns it into an exception outside libjpeg's frames.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf resume;
    char message[JMSG_LENGTH_MAX];
};

void exitWithError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->resume, 1);
}

}  // namespace

QImage decodeJpeg(const QByteArray& data) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = exitWithError;
    QImage image;  // declared before setjmp so that a jump back leaves nothing half-built
    if (setjmp(errors.resume)) {
        jpeg_destroy_decompress(&info);
        throw Error(std::string("Cannot decode the background picture: ") + errors.message);
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

}  // namespace gravmark
