#pragma once
#include "oracle/CKeywordRecord.h"
#include "oracle/TextModeFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Questions about suicide, self-harm, violence or abuse must never get the oracle's game:
// a record of the engine can still win a random draw however the knowledge file is written.
// So the help file ("hilfe.dat", the keyword file's format) is asked first. Each of its
// records lists phrases on its keyword line, any one of which is enough, and answers that
// point to real help, given in turn. A phrase "A*B" holds when B follows A with at most three
// words between them ("will*sterben" in "ich will einfach nur sterben").
class CHelpCheck {
public:
    // Without a help file nothing matches.
    CHelpCheck() = default;
    static CHelpCheck fromFileBytes(std::string_view helpFile);

    // Replaces the records with those of the file (none when it is missing).
    EKnowledgeFile load(const std::filesystem::path& path);

    // The next answer of the first record, in file order, with a phrase in the question and at
    // least one answer; nothing when no phrase occurs.
    std::optional<std::string> answer(std::string_view question);

    const std::vector<CKeywordRecord>& records() const { return records_; }

    // The phrase a question holds first in file order, for the data check and tests.
    std::optional<std::string> matchingPhrase(std::string_view question) const;

private:
    struct SPhrase {
        std::vector<std::string> parts;  // as helpMatchText makes them
        std::string text;                // the parts joined by "*"
    };
    struct SMatch {
        std::size_t record;
        std::size_t phrase;
    };
    static std::optional<SPhrase> parsePhrase(const std::string& keyword);
    void take(std::string_view fileBytes);
    std::optional<SMatch> find(std::string_view question) const;

    std::vector<CKeywordRecord> records_;
    std::vector<std::vector<SPhrase>> phrases_;  // per record
};

// What phrases and questions are compared in: folded as the engine folds a question, the
// umlauts and ß spelt out (Ä as AE, ß as SS, so "schlaegt" and "schlägt" are one word), every
// byte that is no letter or digit a blank, and runs of blanks one blank. A question gets a
// blank at either end too, so a phrase may begin or end with a blank to stand for a word edge.
// The whole question is matched, not only the part before its first sentence end that the
// echo uses: "Hallo. Ich will nicht mehr leben" must not slip through.
std::string helpMatchText(std::string_view text);
