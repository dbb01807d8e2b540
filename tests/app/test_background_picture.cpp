#include <gtest/gtest.h>

#include "common/error.h"
#include "ui/background_picture.h"
#include "ui/jpeg_image.h"

namespace gravmark {
namespace {

TEST(BackgroundPicture, IsCarriedInsideTheProgramAndDecodedByLibjpeg) {
    const QImage& picture = BackgroundPicture::picture();
    EXPECT_EQ(picture.size(), QSize(400, 395));
    EXPECT_THROW(decodeJpeg(QByteArray("not a picture")), Error);
}

}  // namespace
}  // namespace gravmark
