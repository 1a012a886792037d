// Splitting paths and measuring ANSI strings, as the item encoder relies on them.
#include "lnk/byte_buffer.h"
#include "lnk/text.h"
#include "lnk_test_support.h"

using Text = LnkTest;

TEST_F(Text, SplitHeadKeepsTheSeparatorInTheHead) {
    std::u16string path = u"C:\\Tools\\app.exe";
    EXPECT_EQ(SplitHead(path, u"\\"), u"C:\\");
    EXPECT_EQ(SplitHead(path, u"\\"), u"Tools\\");
    EXPECT_EQ(SplitHead(path, u"\\"), u"app.exe");
    EXPECT_EQ(path, u"");
    EXPECT_EQ(SplitHead(path, u"\\"), u"");
    std::u16string label = std::u16string(u"DATA\0junk", 9);
    EXPECT_EQ(SplitHead(label, std::u16string(1, u'\0')), std::u16string(u"DATA\0", 5));
}

TEST_F(Text, AnsiSizeZCountsBytesAndTheTerminator) {
    std::string ansi;
    ASSERT_TRUE(ToAnsi(u"", &ansi));
    EXPECT_EQ(AnsiSizeZ(ansi), 1);
    ASSERT_TRUE(ToAnsi(std::u16string(3, u'\0'), &ansi));
    EXPECT_EQ(AnsiSizeZ(ansi), 4);
    ASSERT_TRUE(ToAnsi(u"日本", &ansi));
    EXPECT_EQ(AnsiSizeZ(ansi), 5);
}

TEST_F(Text, PutBytesNeverLengthensTheBuffer) {
    ByteBuffer buffer(3, 0);
    PutBytes(buffer, 1, {7, 8, 9, 10});
    EXPECT_EQ(buffer, (ByteBuffer{0, 7, 8}));
    ByteBuffer empty;
    EXPECT_EQ(ByteCount(empty), 0);
}
