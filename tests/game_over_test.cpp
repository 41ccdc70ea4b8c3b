// The end of a game: the best-results ranking, the game-over texts and the blinking score.
#include "constants.h"
#include "game.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
using Scores = std::vector<int>;
constexpr float width = 1366.f;
constexpr float height = 768.f;
constexpr float step = 1.f / 64.f; // seconds per simulated frame

void TouchAFlower(Game& game)
{
    const sf::FloatRect runner = game.GetPlayer().GetBounds();
    game.PlaceFlowerCluster(1, runner.left + runner.width - 10.f);
    game.CheckFlowerContact();
}

bool IsBold(const sf::Text& text, TestContext& test)
{
    return text.getFont() == &test.context.fonts[boldFontKey];
}

// Seconds until the score text changes colour.
float TimeToNextBlink(Game& game)
{
    const sf::Color start = game.GetTexts().at(scoreTextKey).getFillColor();
    float elapsed = 0.f;
    while (game.GetTexts().at(scoreTextKey).getFillColor() == start && elapsed < 5.f)
    {
        game.Update(step);
        elapsed += step;
    }
    return elapsed;
}
} // namespace

TEST(BestResultRanking, AnEqualScoreGoesAboveTheOlderOne)
{
    Scores scores = {900, 500, 500, 200, 0};
    EXPECT_EQ(InsertBestResult(scores, 500), 1);
    EXPECT_EQ(scores, (Scores{900, 500, 500, 500, 200}));

    scores = {0, 0, 0, 0, 0};
    EXPECT_EQ(InsertBestResult(scores, 0), 0);
    EXPECT_EQ(scores, (Scores{0, 0, 0, 0, 0}));

    scores = {900, 500, 400, 200, 100};
    EXPECT_EQ(InsertBestResult(scores, 100), 4);
    EXPECT_EQ(scores, (Scores{900, 500, 400, 200, 100}));
}

TEST(BestResultRanking, AScoreBelowEveryEntryLeavesTheListAlone)
{
    Scores scores = {900, 500, 400, 200, 100};
    EXPECT_EQ(InsertBestResult(scores, 0), -1);
    EXPECT_EQ(scores, (Scores{900, 500, 400, 200, 100}));

    scores = {-5, -10, -20, -30, -40};
    EXPECT_EQ(InsertBestResult(scores, 1000), 0);
    EXPECT_EQ(scores, (Scores{1000, -5, -10, -20, -30}));
}

TEST(ScoreFormat, FillsToFiveDigitsAndKeepsLongerScoresWhole)
{
    EXPECT_EQ(FormatScore(0), L"00000");
    EXPECT_EQ(FormatScore(1300), L"01300");
    EXPECT_EQ(FormatScore(99900), L"99900");
    EXPECT_EQ(FormatScore(100000), L"100000");
    EXPECT_EQ(FormatScore(12345600), L"12345600");
}

TEST(ScoreText, ShowsOneDigitBeforeTheFirstFrameThenFiveAndKeepsItsLeftEdgeOnScreen)
{
    TestContext test;
    Game game(&test.context);
    const sf::Text& score = game.GetTexts().at(scoreTextKey);
    EXPECT_EQ(score.getString(), sf::String(L"0"));
    EXPECT_EQ(score.getCharacterSize(), 35u);
    const float screenX = score.getPosition().x;
    EXPECT_NEAR(screenX + score.getGlobalBounds().width, 0.89f * width, 1.f);
    EXPECT_FLOAT_EQ(score.getPosition().y, 0.06f * height);
    game.Update(0.5f);
    const sf::Text& running = game.GetTexts().at(scoreTextKey);
    EXPECT_EQ(running.getString(), sf::String(L"00000"));
    EXPECT_FLOAT_EQ(running.getPosition().x - game.GetViewLeft(), screenX);
}

TEST(GameOverView, ShowsTheCaptionTheTableWithTheNewResultInBoldAndTheHint)
{
    TestContext test;
    test.context.highScores = {900, 500, 400, 200, -100};
    Game game(&test.context);
    game.Update(2.f); // the view has moved: the texts centre on the screen, not the world
    TouchAFlower(game);
    ASSERT_EQ(game.GetState(), GameState::GameOver);
    EXPECT_EQ(test.context.highScores, (Scores{900, 500, 400, 200, 0}));

    const auto& texts = game.GetTexts();
    const float centre = game.GetViewLeft() + 0.5f * width;
    const auto expectCentred = [centre](const sf::Text& text) {
        EXPECT_FLOAT_EQ(text.getPosition().x + 0.5f * text.getGlobalBounds().width, centre);
    };
    const sf::Text& caption = texts.at(gameOverTextKey);
    EXPECT_EQ(caption.getString(), sf::String(gameOverCaption));
    EXPECT_TRUE(IsBold(caption, test));
    EXPECT_FLOAT_EQ(caption.getPosition().y, 0.06f * height);
    expectCentred(caption);

    const sf::Text& header = texts.at(scoreTableHeaderKey);
    EXPECT_EQ(header.getString(), sf::String(bestResultsHeading));
    EXPECT_TRUE(IsBold(header, test));
    EXPECT_FLOAT_EQ(header.getPosition().y, 0.16f * height);
    expectCentred(header);

    const std::vector<std::wstring> rows = {L"1. 00900\n", L"2. 00500\n", L"3. 00400\n", L"4. 00200\n",
                                            L"5. 00000\n"};
    const float rowStep = 0.65f * header.getGlobalBounds().height;
    const sf::Text& first = texts.at(ScoreTableRowKey(0));
    expectCentred(first);
    for (std::size_t row = 0; row < rows.size(); ++row)
    {
        const sf::Text& text = texts.at(ScoreTableRowKey(row));
        EXPECT_EQ(text.getString(), sf::String(rows[row]));
        EXPECT_EQ(IsBold(text, test), row == 4) << "row " << row;
        EXPECT_EQ(text.getPosition().x, first.getPosition().x);
        EXPECT_FLOAT_EQ(text.getPosition().y, 0.16f * height + static_cast<float>(row + 1) * rowStep);
    }

    const sf::Text& hint = texts.at(gameOverInstructionsKey);
    EXPECT_EQ(hint.getString(), sf::String(gameOverHint));
    EXPECT_FALSE(IsBold(hint, test));
    EXPECT_FLOAT_EQ(hint.getPosition().y, 0.5f * height);
    expectCentred(hint);

    for (const auto& [key, text] : texts)
    {
        if (key != scoreTextKey)
        {
            EXPECT_EQ(text.getCharacterSize(), 22u) << key;
            EXPECT_EQ(text.getFillColor(), textColor) << key;
        }
    }
}

TEST(GameOverView, AResultOutsideTheTableMakesNoRowBold)
{
    TestContext test;
    test.context.highScores = {900, 500, 400, 200, 100};
    Game game(&test.context);
    TouchAFlower(game);
    for (std::size_t row = 0; row < 5; ++row)
        EXPECT_FALSE(IsBold(game.GetTexts().at(ScoreTableRowKey(row)), test));
}

TEST(ScoreBlink, AlternatesThreeQuartersAndNearlyHalfASecondAndCarriesIntoTheNextGame)
{
    TestContext test;
    float secondGameFirst = 0.f;
    {
        Game game(&test.context);
        TouchAFlower(game);
        EXPECT_EQ(game.GetTexts().at(scoreTextKey).getFillColor(), sf::Color::Black);
        // Earlier games in this run may have left the rhythm at either interval.
        const float first = TimeToNextBlink(game);
        EXPECT_EQ(game.GetTexts().at(scoreTextKey).getFillColor(), sf::Color::White);
        const float second = TimeToNextBlink(game);
        const float third = TimeToNextBlink(game);
        EXPECT_NEAR(first + second, 1.2f, 2 * step);
        EXPECT_NEAR(third, first, 2 * step);
        EXPECT_TRUE(std::abs(first - 0.75f) <= step || std::abs(first - 0.45f) <= step) << first;
        secondGameFirst = second; // three blinks leave the rhythm on the other interval
    }
    Game game(&test.context);
    TouchAFlower(game);
    EXPECT_NEAR(TimeToNextBlink(game), secondGameFirst, 2 * step);
}

TEST(ScoreBlink, StopsWhilePaused)
{
    TestContext test;
    Game game(&test.context);
    TouchAFlower(game);
    game.ProcessEvent(KeyPress(sf::Keyboard::P)); // over: P is an ordinary key, no pause
    game.ProcessEvent(sf::Event{sf::Event::LostFocus, {}});
    for (int frame = 0; frame < 200; ++frame)
        game.Update(step);
    EXPECT_EQ(game.GetTexts().at(scoreTextKey).getFillColor(), sf::Color::Black);
    game.ProcessEvent(sf::Event{sf::Event::GainedFocus, {}});
    EXPECT_LE(TimeToNextBlink(game), 0.75f + step);
}
