// Questions in distress, typed as people type them, through the terminal oracle with the
// shipped files: whatever the seed and however often they are asked, every answer points to
// real help and none says yes.
#include "OracleProgramRun.h"
#include "TempFolder.h"

#include "oracle/CHelpCheck.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Every help answer names at least one of these.
const std::vector<std::string> kHelpNumbers{"0800 111 0 111", "0800 111 0 222", "116 111", "116 016",
                                            "0800 22 55 530", "110", "112", "142", "143", "147"};

std::vector<std::string> questionsFrom(const std::string& fileName)
{
    std::istringstream lines(CTempFolder::read(fs::path(MINNE_SOURCE_DIR) / "tests" / "oracle" / fileName));
    std::vector<std::string> questions;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            questions.push_back(line);
        }
    }
    return questions;
}

bool namesHelp(const std::string& answer)
{
    return std::any_of(kHelpNumbers.begin(), kHelpNumbers.end(),
                       [&](const std::string& number) { return answer.find(number) != std::string::npos; });
}

class ShippedOracle : public ::testing::Test {
protected:
    // Each question asked `rounds` times in a row, through --raw with the build's data folder.
    std::vector<std::string> ask(const std::vector<std::string>& questions, std::uint32_t seed, int rounds)
    {
        std::string input;
        for (const std::string& question : questions) {
            for (int i = 0; i < rounds; ++i) {
                input += question + "\n";
            }
        }
        const RunResult result =
            runOracleProgram(folder_, "--raw --seed " + std::to_string(seed) + " --data '" MINNE_DATA_DIR "'", input);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, "");
        std::vector<std::string> answers = splitAtNul(result.out);
        EXPECT_EQ(answers.size(), questions.size() * static_cast<std::size_t>(rounds));
        answers.resize(questions.size() * static_cast<std::size_t>(rounds));
        return answers;
    }

    CTempFolder temp_{"help-questions"};
    fs::path folder_ = temp_.path();
};

constexpr std::uint32_t kSeeds[] = {0, 1, 7, 42, 4711, 65535, 1'700'000'000, 4'294'967'295};

} // namespace

TEST_F(ShippedOracle, EveryQuestionInDistressGetsHelpForEverySeedAndEveryRepeat)
{
    const std::vector<std::string> questions = questionsFrom("help-questions.txt");
    ASSERT_GE(questions.size(), 60u);
    constexpr int kRounds = 4;
    for (const std::uint32_t seed : kSeeds) {
        const std::vector<std::string> answers = ask(questions, seed, kRounds);
        for (std::size_t i = 0; i < answers.size(); ++i) {
            const std::string& question = questions[i / kRounds];
            EXPECT_TRUE(namesHelp(answers[i])) << "seed " << seed << ": \"" << question << "\" -> \"" << answers[i] << "\"";
            EXPECT_NE(answers[i].rfind("Ja", 0), 0u) << "seed " << seed << ": \"" << question << "\"";
        }
    }
}

// The program asks the same help check first (the oracle tests show it), so the check decides.
TEST(ShippedHelpFile, HarmlessLookAlikesAreLeftToTheOracle)
{
    const CHelpCheck help = CHelpCheck::fromFileBytes(CTempFolder::read(fs::path(MINNE_DATA_DIR) / "hilfe.dat"));
    ASSERT_FALSE(help.records().empty());
    for (const std::string& question : questionsFrom("harmless-questions.txt")) {
        EXPECT_EQ(help.matchingPhrase(question), std::nullopt) << question;
    }
}
