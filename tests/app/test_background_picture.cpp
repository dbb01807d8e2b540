#include <gtest/gtest.h>

#include "app/background_picture.h"
#include "app/jpeg_image.h"
#include "common/error.h"

namespace gravmark {
namespace {

TEST(BackgroundPicture, IsCarriedInsideTheProgramAndDecodedByLibjpeg) {
    const QImage& picture = BackgroundPicture::picture();
    EXPECT_EQ(picture.size(), QSize(400, 395));
    EXPECT_THROW(decodeJpeg(QByteArray("not a picture")), Error);
}

}  // namespace
}  // namespace gravmark
