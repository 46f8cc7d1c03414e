#include "FirmwareFixture.h"

#include "CtrlPanel/firmware/FlashReply.h"

namespace {

struct SequenceCase {
    uint16_t before;
    uint8_t command;
    uint16_t after;
};

TEST(FlashFrames, SequenceNumbersWrapToZeroExceptAfterABlock)
{
    const SequenceCase cases[] = {
        {7, kFlashBlock, 8},     {65535, kFlashBlock, 1}, {65535, kFlashHalt, 0},
        {65535, kFlashEnd, 0},   {65535, kFlashFinal, 0}, {0, kFlashReset, 1},
    };
    for (const SequenceCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "command " << int(c.command) << " at " << c.before);
        FlashFrameBuilder frames;
        frames.Begin(0x11223344);
        frames.SetSequence(c.before);
        std::vector<uint8_t> frame;
        switch (c.command) {
        case kFlashBlock: frame = frames.Block(0, 0, 1); break;
        case kFlashHalt: frame = frames.Halt(); break;
        case kFlashEnd: frame = frames.End(); break;
        case kFlashFinal: frame = frames.Final(); break;
        default: frame = frames.Reset(); break;
        }
        EXPECT_EQ(frame[4] | frame[5] << 8, c.before);
        EXPECT_EQ(frames.Sequence(), c.after);
    }
}

struct ReplyCase {
    const char* what;
    uint8_t bytes[8];
    uint32_t echo;
    uint8_t command;
    bool acknowledges;
};

TEST(FlashReplies, OnlyAValidAnswerWithTheExpectedCommandAndStatusAcknowledges)
{
    const ReplyCase cases[] = {
        {"reset", {1, 0, 0, 0, 0, 0, 2, 0}, 0, kFlashReset, true},
        {"halt", {1, 0, 0, 0, 0, 0, 1, 0}, 0, kFlashHalt, true},
        {"start", {1, 0, 0, 0, 0, 0, 4, 1}, 0, kFlashStart, true},
        {"end", {1, 0, 0, 0, 0, 0, 6, 2}, 0, kFlashEnd, true},
        {"start with status 0", {1, 0, 0, 0, 0, 0, 4, 0}, 0, kFlashStart, false},
        {"halt's answer for a reset", {1, 0, 0, 0, 0, 0, 1, 0}, 0, kFlashReset, false},
        {"not valid", {0, 0, 0, 0, 0, 0, 2, 0}, 0, kFlashReset, false},
        {"valid word 01 00 00 01", {1, 0, 0, 1, 0, 0, 2, 0}, 0, kFlashReset, false},
        {"final has no acknowledge", {1, 0, 0, 0, 0, 0, 17, 0}, 0, kFlashFinal, false},
    };
    for (const ReplyCase& c : cases) {
        SCOPED_TRACE(c.what);
        FlashReply reply;
        memcpy(reply.Bytes(), c.bytes, 8);
        EXPECT_EQ(reply.Acknowledges(c.command), c.acknowledges);
    }
}

TEST(FlashReplies, AnEchoMustComeFromABlockAnswer)
{
    FlashReply reply;
    const uint8_t start[] = {1, 0, 0, 0, 3, 0, 4, 1, 0, 0, 0, 0};
    memcpy(reply.Bytes(), start, sizeof start);
    EXPECT_FALSE(reply.Echoes(0)) << "the start's answer holds zeros where a block's counter goes";
    const uint8_t block[] = {1, 0, 0, 0, 4, 0, 5, 3, 7, 0, 0, 0};
    memcpy(reply.Bytes(), block, sizeof block);
    EXPECT_TRUE(reply.Echoes(7));
    EXPECT_FALSE(reply.Echoes(6));
    reply.Clear();
    EXPECT_FALSE(reply.Echoes(0));
}

}  // namespace
