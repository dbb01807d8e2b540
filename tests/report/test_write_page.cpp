// The page's own file on both systems: replaced byte for byte, and on Windows kept whole
// with a plain reason while another program holds it open.
#include <gtest/gtest.h>

#include "common/error.h"
#include "common/text_box_lines.h"
#include "platform/file_access.h"
#include "platform/native_path.h"
#include "report/write_page.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

TextBoxLines pageOf(std::string_view text) {
    TextBoxLines page;
    page.setText(text);
    return page;
}

TEST(WritePage, ReplacesThePageByteForByteOrKeepsItWholeWhileHeldOpen) {
    const test::TempFolder temp;
    const std::string page = platform::pathBytes(temp.path()) +
                             "/\xC3\x9C"
                             "ber.html";
    writePage(pageOf("<b>1</b>\r\n\xE9"), page);
    writePage(pageOf("<b>2</b>\r\n\xE9"), page);
    EXPECT_EQ(test::readFile(page), "<b>2</b>\r\n\xE9");

    const int held = platform::openFile(page, platform::OpenFor::Reading);
    ASSERT_GE(held, 0);
    std::string failure;
    try {
        writePage(pageOf("<b>3</b>"), page);
    } catch (const Error& error) {
        failure = error.what();
    }
    platform::closeFile(held);
    if (failure.empty()) {
        EXPECT_EQ(test::readFile(page), "<b>3</b>");
    } else {
        EXPECT_NE(failure.find("ber.html\". The file is open in another program."), std::string::npos)
            << failure;
        EXPECT_EQ(test::readFile(page), "<b>2</b>\r\n\xE9");
    }
}

}  // namespace
}  // namespace gravmark
