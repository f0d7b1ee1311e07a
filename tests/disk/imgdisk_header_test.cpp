// name, protect and media end to end: exactly the field's bytes of the one
// disk change, in place, and every other byte of the file stays.
#include <clocale>
#include <string>
#include <vector>

#include "imgdisk_fixture.h"

namespace {

constexpr std::size_t kNameField = 17;  // 16 name bytes and the NUL after them
constexpr std::size_t kWriteProtectOffset = 0x1A;
constexpr std::size_t kMediaCodeOffset = 0x1B;

// The file with `bytes` stored at `offset` of disk `number`'s header.
Bytes patched(const ThreeDiskFile& file, int number, std::size_t offset, const Bytes& bytes) {
    std::size_t diskStart = 0;
    for (int i = 0; i < number; ++i) {
        diskStart += file.disks[static_cast<std::size_t>(i)].size();
    }
    Bytes result = file.bytes;
    patchBytes(result, diskStart + offset, bytes);
    return result;
}

Bytes nameField(const std::string& shiftJis) {
    Bytes field(kNameField, 0);
    std::copy(shiftJis.begin(), shiftJis.end(), field.begin());
    return field;
}

class ImgdiskHeaderTest : public ImgdiskTest {
protected:
    // A file whose disk 1 has a 16-byte name, so that a shorter new name
    // shows its padding.
    ThreeDiskFile fileWithLongName() {
        ThreeDiskFile file;
        const std::size_t second = file.disks[0].size();
        patchBytes(file.bytes, second, Bytes(16, 'X'));
        patchBytes(file.disks[1], 0, Bytes(16, 'X'));
        return file;
    }
};

TEST_F(ImgdiskHeaderTest, NameStoresTheTypedNameInShiftJisPaddedWithNul) {
    struct Case {
        std::string typed;  // UTF-8, as at the C.UTF-8 console of the test
        std::string stored;
    };
    const std::vector<Case> cases = {
        {"NEWNAME", "NEWNAME"},
        {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP"},
        {"a b\\c~", "a b\\c~"},
        {"ﾃｽﾄ", "\xC3\xBD\xC4"},
        {"日本語ディスク", "\x93\xFA\x96\x7B\x8C\xEA\x83\x66\x83\x42\x83\x58\x83\x4E"},
        {"一二三四五六七八", "\x88\xEA\x93\xF1\x8E\x4F\x8E\x6C\x8C\xDC\x98\x5A\x8E\xB5\x94\xAA"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const ThreeDiskFile file = fileWithLongName();
        put("game.d88", file.bytes);
        const ProgramResult run = imgdisk({"name", "game.d88", "1", c.typed});
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out, "ディスク 1 の名前を設定しました.\n");
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(bytesOf("game.d88"), patched(file, 1, 0, nameField(c.stored)));
    }
}

// Under a Shift_JIS locale the typed bytes are Shift_JIS already.
TEST_F(ImgdiskHeaderTest, NameTakesShiftJisAtAShiftJisConsole) {
    if (std::setlocale(LC_ALL, "ja_JP.SJIS") == nullptr) {
        GTEST_SKIP() << "no ja_JP.SJIS locale on this machine (localedef -c -f SHIFT_JIS -i ja_JP ja_JP.SJIS)";
    }
    std::setlocale(LC_ALL, "C");
    const ThreeDiskFile file = fileWithLongName();
    put("game.d88", file.bytes);
    const std::string typed = "\x93\xFA\x96\x7B \xC3\xBD\xC4";
    const ProgramResult run = runProgram(IMGDISK_PATH, {"name", "game.d88", "2", typed}, dir.path(), "ja_JP.SJIS");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "\x83\x66\x83\x42\x83\x58\x83\x4E 2 \x82\xCC\x96\xBC\x91\x4F\x82\xF0\x90\xDD\x92\xE8"
                       "\x82\xB5\x82\xDC\x82\xB5\x82\xBD.\n");
    EXPECT_EQ(bytesOf("game.d88"), patched(file, 2, 0, nameField(typed)));
}

TEST_F(ImgdiskHeaderTest, NameIsRefusedWholeWhenItDoesNotFit) {
    put("game.d88", fileWithLongName().bytes);
    const std::string tooLong = "名前はShift_JISで16バイト以内で指定してください.";
    expectNothingChanged({"name", "game.d88", "0", "ABCDEFGHIJKLMNOPQ"}, tooLong + "(17 byte)\n");
    expectNothingChanged({"name", "game.d88", "0", "一二三四五六七八九"}, tooLong + "(18 byte)\n");
    expectNothingChanged({"name", "game.d88", "0", "ABCDEFGHIJKLMNO日"}, tooLong + "(17 byte)\n");
}

TEST_F(ImgdiskHeaderTest, NameIsRefusedWithACharacterShiftJisCannotHold) {
    put("game.d88", fileWithLongName().bytes);
    const std::string refusal = "名前にShift_JISで表せない文字があります.\n";
    expectNothingChanged({"name", "game.d88", "0", "GAME\xF0\x9F\x98\x80"}, refusal);  // an emoji
    expectNothingChanged({"name", "game.d88", "0", "\xED\x95\x9C"}, refusal);         // a Hangul syllable
    expectNothingChanged({"name", "game.d88", "0", "A\xFF"}, refusal);                // no UTF-8
}

TEST_F(ImgdiskHeaderTest, ProtectAndMediaSetTheirHeaderByte) {
    struct Case {
        std::vector<std::string> arguments;
        std::size_t offset;
        std::uint8_t value;
        std::string result;
    };
    const std::string protect = " のライトプロテクトを ";
    const std::string media = " のメディア種別を ";
    const std::vector<Case> cases = {
        {{"protect", "game.d88", "1", "on"}, kWriteProtectOffset, 0x10, "ディスク 1" + protect + "on にしました.\n"},
        {{"protect", "game.d88", "2", "OFF"}, kWriteProtectOffset, 0x00, "ディスク 2" + protect + "off にしました.\n"},
        {{"media", "game.d88", "0", "2dd"}, kMediaCodeOffset, 0x10, "ディスク 0" + media + "2DD にしました.\n"},
        {{"media", "game.d88", "1", "2HD"}, kMediaCodeOffset, 0x20, "ディスク 1" + media + "2HD にしました.\n"},
        {{"media", "game.d88", "2", "2d"}, kMediaCodeOffset, 0x00, "ディスク 2" + media + "2D にしました.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[0] + " " + c.arguments[2] + " " + c.arguments[3]);
        ThreeDiskFile file;
        // The opposite value first, so that every edit changes the byte.
        const int number = std::stoi(c.arguments[2]);
        file.bytes = patched(file, number, c.offset, {static_cast<std::uint8_t>(c.value ^ 0x30)});
        put("game.d88", file.bytes);
        const ProgramResult run = imgdisk(c.arguments);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out, c.result);
        EXPECT_EQ(bytesOf("game.d88"), patched(file, number, c.offset, {c.value}));
    }
}

// A header edit is no copy: a disk that runs past the end of the file can
// still be renamed or protected, and the file keeps its length.
TEST_F(ImgdiskHeaderTest, EditsTheHeaderOfADiskCutByTheEndOfTheFile) {
    ThreeDiskFile file;
    file.bytes.resize(file.bytes.size() - file.trailing.size() - 10);
    put("cut.d88", file.bytes);
    ASSERT_EQ(imgdisk({"protect", "cut.d88", "2", "on"}).exitStatus, 0);
    EXPECT_EQ(bytesOf("cut.d88"), patched(file, 2, kWriteProtectOffset, {0x10}));
}

TEST_F(ImgdiskHeaderTest, RefusesValuesItDoesNotKnow) {
    put("game.d88", ThreeDiskFile().bytes);
    const std::string protect = "on か off を指定してください.\n";
    const std::string media = "メディア種別は 2d, 2dd, 2hd のいずれかで指定してください.\n";
    expectNothingChanged({"protect", "game.d88", "0", "yes"}, protect);
    expectNothingChanged({"protect", "game.d88", "0", "1"}, protect);
    expectNothingChanged({"media", "game.d88", "0", "1d"}, media);
    expectNothingChanged({"media", "game.d88", "0", "2hc"}, media);
    expectNothingChanged({"media", "game.d88", "0", "0x10"}, media);
    // The value is checked before the file is looked at.
    expectNothingChanged({"media", "missing.d88", "0", "2x"}, media);
}

TEST_F(ImgdiskHeaderTest, RefusesAMissingFileOrDisk) {
    put("game.d88", ThreeDiskFile().bytes);
    expectNothingChanged({"name", "missing.d88", "0", "A"}, "D88ファイルをオープンできません.\n");
    expectNothingChanged({"protect", "game.d88", "3", "on"}, "指定のディスクがありません.\n");
    expectNothingChanged({"media", "game.d88", "-1", "2d"}, "指定のディスクがありません.\n");
}

}  // namespace
