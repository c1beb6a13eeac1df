#include "windows/library/TextInputCont.h"

#include <gtest/gtest.h>

namespace
{
struct Recorder : textmsgListener
{
    void textMsgAccepted (int id, int kind) override { answers.push_back ({ 'a', id, kind }); }
    void textMsgDeclined (int id, int kind) override { answers.push_back ({ 'd', id, kind }); }
    void textMsgCancelled (int id, int kind) override { answers.push_back ({ 'c', id, kind }); }

    struct Heard
    {
        char answer;
        int id, kind;
    };
    std::vector<Heard> answers;
};

constexpr int kHidden = -1;
} // namespace

TEST (TextInputCont, ButtonsSitCentredInTheirRowWhateverIsShown)
{
    struct Case
    {
        int width;
        const char *accept, *decline, *cancel;
        int category;
        int acceptX, declineX, cancelX, rowY;
    };
    // Three buttons from (w - 340) / 2 in steps of 120; without NO, a pair from
    // (w - 220) / 2; OK keeps its place when hidden.
    const Case cases[] = {
        { 600, "YES", "NO", "CANCEL", -1, 130, 250, 370, 116 },
        { 1000, "YES", "NO", "CANCEL", -1, 330, 450, 570, 116 },
        { 1000, "", "OK", "", -1, kHidden, 450, kHidden, 116 },
        { 1000, "OK", "", "CANCEL", 4, 390, kHidden, 510, 136 },
        { 1000, "", "", "CANCEL", -1, kHidden, kHidden, 510, 116 },
        { 601, "OK", "", "CANCEL", -1, 190, kHidden, 310, 116 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.width) + " " + c.accept + "/" + c.decline + "/" + c.cancel);
        TextInputCont q;
        q.setSize (c.width, 528);
        q.setup ("Question", {}, c.cancel, c.accept, c.decline, c.category, 1, 0);

        const std::pair<int, int> expected[] = { { TextInputCont::kAcceptId, c.acceptX },
                                                 { TextInputCont::kDeclineId, c.declineX },
                                                 { TextInputCont::kCancelId, c.cancelX } };
        for (auto [id, x] : expected)
        {
            auto& button = q.getButton (id);
            EXPECT_EQ (button.isVisible(), x != kHidden) << id;
            if (x != kHidden)
            {
                EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (x, c.rowY, 100, 34)) << id;
            }
        }
        if (c.category >= 0)
        {
            EXPECT_EQ (q.getCategoryBox(), juce::Rectangle<int> ((c.width - 280) / 2, 94, 280, 30));
        }
    }
}

TEST (TextInputCont, AnswersCarryTheAskersIdAndKind)
{
    TextInputCont q;
    Recorder recorder;
    q.addListener (&recorder);
    q.addListener (&recorder);
    q.setup ("Append Programs?", {}, "CANCEL", "YES", "NO", -1, 256, 5);

    for (int id : { TextInputCont::kAcceptId, TextInputCont::kDeclineId, TextInputCont::kCancelId })
        q.getButton (id).triggerClick();

    ASSERT_EQ (recorder.answers.size(), 3u);
    const char expected[] = { 'a', 'd', 'c' };
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ (recorder.answers[i].answer, expected[i]);
        EXPECT_EQ (recorder.answers[i].id, 256);
        EXPECT_EQ (recorder.answers[i].kind, 5);
    }
}

TEST (TextInputCont, ACategoryChosenFromTheMenuReplacesAnyByteAndADismissedMenuKeepsIt)
{
    TextInputCont q;
    q.setSize (1000, 528);
    q.setup ("Program name:", "Name", "CANCEL", "OK", "", 200, 1536, 0);
    EXPECT_EQ (q.getCategoryText(), "");

    q.handleCategoryMenu (0); // dismissed
    EXPECT_EQ (q.getCategory(), 200);
    q.handleCategoryMenu (2);
    EXPECT_EQ (q.getCategory(), 1);
    EXPECT_EQ (q.getCategoryText(), "KEYS");

    q.setup ("Delete ?", {}, "CANCEL", "OK", "", -1, 1024, 0);
    EXPECT_FALSE (q.isCategoryBoxShown());
    q.dismiss();
    EXPECT_FALSE (q.isVisible());
    EXPECT_EQ (q.getBounds(), juce::Rectangle<int> (-100, -100, 50, 50));
}
