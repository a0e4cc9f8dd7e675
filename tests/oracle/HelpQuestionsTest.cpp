// Questions in distress, typed as people type them, through the terminal oracle with the
// shipped files: whatever the seed and however often they are asked, every answer points to
// real help and none says yes.
#include "OracleProgramRun.h"
#include "TempFolder.h"

#include "oracle/CHelpCheck.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Every help answer names at least one of these.
const std::vector<std::string> kHelpNumbers{"0800 111 0 111", "0800 111 0 222", "116 111", "116 016",
                                            "0800 22 55 530", "110", "112", "142", "143", "147"};

} // namespace

TEST(ShippedOracle, EveryQuestionInDistressGetsHelpForEverySeedAndEveryRepeat)
{
    const std::vector<std::string> questions =
        CTempFolder::lines(fs::path(MINNE_SOURCE_DIR) / "tests/oracle/help-questions.txt");
    ASSERT_GE(questions.size(), 60u);
    constexpr std::size_t kRounds = 4; // each question asked this often in a row
    std::string input;
    for (std::size_t i = 0; i < questions.size() * kRounds; ++i) {
        input += questions[i / kRounds] + "\n";
    }
    const CTempFolder temp("help-questions");
    for (const std::uint32_t seed : {0u, 1u, 7u, 42u, 4711u, 65535u, 1'700'000'000u, 4'294'967'295u}) {
        const RunResult result = runOracleProgram(
            temp.path(), "--raw --seed " + std::to_string(seed) + " --data '" MINNE_DATA_DIR "'", input);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, "");
        const std::vector<std::string> answers = splitAtNul(result.out);
        ASSERT_EQ(answers.size(), questions.size() * kRounds);
        for (std::size_t i = 0; i < answers.size(); ++i) {
            const std::string& question = questions[i / kRounds];
            const auto named = [&](const std::string& number) { return answers[i].find(number) != std::string::npos; };
            EXPECT_TRUE(std::any_of(kHelpNumbers.begin(), kHelpNumbers.end(), named)) << "seed " << seed << ": \"" << question << "\" -> \"" << answers[i] << "\"";
            EXPECT_NE(answers[i].rfind("Ja", 0), 0u) << "seed " << seed << ": \"" << question << "\"";
        }
    }
}

// The program asks the same help check first (the oracle tests show it), so the check decides.
TEST(ShippedHelpFile, HarmlessLookAlikesAreLeftToTheOracle)
{
    const CHelpCheck help = CHelpCheck::fromFileBytes(CTempFolder::read(fs::path(MINNE_DATA_DIR) / "hilfe.dat"));
    ASSERT_FALSE(help.records().empty());
    for (const std::string& question : CTempFolder::lines(fs::path(MINNE_SOURCE_DIR) / "tests/oracle/harmless-questions.txt")) {
        EXPECT_EQ(help.matchingPhrase(question), std::nullopt) << question;
    }
}
