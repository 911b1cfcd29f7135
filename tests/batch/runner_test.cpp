// The runner's plumbing, driven with a table of test steps: parsing, order, stopping,
// answers to questions, and the JSON writer the reports use.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <bit>
#include <cstdint>
#include <limits>
#include <memory>
#include <sstream>

#include "batch/batch_each.h"
#include "batch/batch_runner.h"
#include "batch/batch_ui.h"
#include "batch/json_numbers.h"
#include "batch/json_writer.h"
#include "batch/step_table.h"
#include "document/spectrum_document.h"
#include "support/test_files.h"

namespace tesvar::batch {
namespace {

// Steps that record what ran: "note WORD", "fail", "ask" (a Yes/No/Cancel question),
// "confirm" (an OK/Cancel question) and "tail [WORD]" (an optional argument).
class RecordingSteps : public ::testing::Test {
protected:
    RecordingSteps() : doc(std::make_unique<SpectrumDocument>())
    {
        table.add({"note", "WORD", false, [this](StepArgs& args) -> StepParse {
                       const auto word = args.next();
                       if (!word)
                           return parseError("note needs a WORD");
                       return parsed([this, w = *word](BatchSession&) {
                           record.push_back(w);
                           return true;
                       });
                   }});
        table.add({"fail", "", false, [](StepArgs&) {
                       return parsed([](BatchSession& s) { return s.fail("it failed"); });
                   }});
        table.add({"ask", "", false, [this](StepArgs&) {
                       return parsed([this](BatchSession& s) {
                           answers.push_back(static_cast<Ui&>(s.ui).message("Go on?", "Warning",
                                                          Buttons::YesNoCancel, Icon::Question));
                           return true;
                       });
                   }});
        table.add({"confirm", "", false, [this](StepArgs&) {
                       return parsed([this](BatchSession& s) {
                           answers.push_back(static_cast<Ui&>(s.ui).message("Sure?", "Warning",
                                                          Buttons::OkCancel, Icon::None));
                           return true;
                       });
                   }});
        table.add({"tail", "[WORD]", false, [this](StepArgs& args) {
                       const std::string w = args.nextUnlessStep().value_or("(none)");
                       return parsed([this, w](BatchSession&) {
                           record.push_back("tail " + w);
                           return true;
                       });
                   }});
        table.add({"needy", "", true, [this](StepArgs&) {
                       return parsed([this](BatchSession&) {
                           record.push_back("needy ran");
                           return true;
                       });
                   }});
    }

    int run(const std::vector<std::string>& args)
    {
        out.str("");
        err.str("");
        return runBatch(args, table, *doc, out, err);
    }

    std::unique_ptr<SpectrumDocument> doc;
    StepTable table;
    std::vector<std::string> record;
    std::vector<Answer> answers;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(RecordingSteps, StepsRunInOrder)
{
    EXPECT_EQ(run({"note", "a", "note", "b", "tail", "tail", "x"}), kExitOk);
    EXPECT_EQ(record, (std::vector<std::string>{"a", "b", "tail (none)", "tail x"}));
    EXPECT_EQ(err.str(), "");
}

TEST_F(RecordingSteps, RequiredArgumentsMayLookLikeSteps)
{
    EXPECT_EQ(run({"note", "fail", "tail", "note", "z"}), kExitOk);
    EXPECT_EQ(record, (std::vector<std::string>{"fail", "tail (none)", "z"}));
}

TEST_F(RecordingSteps, UsageErrorsRunNothing)
{
    const std::vector<std::vector<std::string>> wrong = {
        {},                                  // no steps
        {"note", "a", "bogus"},              // unknown step after a good one
        {"note", "a", "note"},               // missing argument
        {"--answer"},                        // option without its value
        {"--answer", "maybe", "note", "a"},  // not an answer
        {"--answer=", "note", "a"},
        {"--verbose", "note", "a"},          // unknown option
        {"note", "a", "--answer", "no"},     // options go before the steps
        {"--answer", "yes"},                 // options alone
        {"--each"},
        {"--each=", "note", "a"},
        {"--jobs", "2", "note", "a"},        // --jobs without --each
        {"--jobs", "0", "--each", "*", "note", "a"},
        {"--each", "*", "--jobs=x", "note", "a"},
    };
    for (const auto& args : wrong) {
        EXPECT_EQ(run(args), kExitUsage) << ::testing::PrintToString(args);
        EXPECT_TRUE(record.empty());
        EXPECT_NE(err.str().find("usage: tesvar-batch"), std::string::npos);
        EXPECT_NE(err.str().find("  note WORD\n"), std::string::npos);
        EXPECT_EQ(out.str(), "");
    }
}

TEST_F(RecordingSteps, HelpPrintsTheUsageOnStandardOutput)
{
    EXPECT_EQ(run({"--help"}), kExitOk);
    EXPECT_NE(out.str().find("  tail [WORD]\n"), std::string::npos);
    EXPECT_NE(out.str().find("[--jobs N] [--each PATTERN] STEP"), std::string::npos);
    EXPECT_EQ(err.str(), "");
}

TEST_F(RecordingSteps, TheRunStopsAtTheFirstFailingStep)
{
    EXPECT_EQ(run({"note", "a", "fail", "note", "b", "fail"}), kExitStepFailed);
    EXPECT_EQ(record, std::vector<std::string>{"a"});
    EXPECT_EQ(err.str(), "tesvar-batch: it failed\ntesvar-batch: step 2 failed: fail\n");
}

TEST_F(RecordingSteps, StepsThatNeedASpectrumAreRefusedWithoutOne)
{
    EXPECT_EQ(run({"note", "a", "needy", "note", "b"}), kExitStepFailed);
    EXPECT_EQ(record, std::vector<std::string>{"a"});
    EXPECT_NE(err.str().find("needy: no spectrum is loaded"), std::string::npos);

    record.clear();
    doc->hasSpectrum = 1;
    EXPECT_EQ(run({"needy"}), kExitOk);
    EXPECT_EQ(record, std::vector<std::string>{"needy ran"});
}

TEST_F(RecordingSteps, QuestionsAreAnsweredToGoOnUnlessAnAnswerIsForced)
{
    EXPECT_EQ(run({"ask", "confirm"}), kExitOk);
    EXPECT_EQ(answers, (std::vector<Answer>{Answer::Yes, Answer::Ok}));
    EXPECT_EQ(err.str(), "Warning: Go on?\nWarning: Sure?\n");

    answers.clear();
    EXPECT_EQ(run({"--answer", "no", "ask", "confirm"}), kExitOk);
    EXPECT_EQ(answers, (std::vector<Answer>{Answer::No, Answer::Cancel}));

    answers.clear();
    EXPECT_EQ(run({"--answer=cancel", "ask", "confirm"}), kExitOk);
    EXPECT_EQ(answers, (std::vector<Answer>{Answer::Cancel, Answer::Cancel}));

    answers.clear();
    EXPECT_EQ(run({"--answer", "ok", "ask", "confirm"}), kExitOk);
    EXPECT_EQ(answers, (std::vector<Answer>{Answer::Yes, Answer::Ok}));
}

TEST_F(RecordingSteps, EachSpectrumRunsInAProcessOfItsOwn)
{
    test::TempDir dir;
    for (const char* name : {"a.x", "b.x", "c.x"})
        test::writeBytes(dir.file(name), {});
    table.add({"crash", "", false, [](StepArgs&) {
                   return parsed([](BatchSession& s) {
                       s.out << (s.source.ends_with("b.x") ? "part" : "done " + s.source + "\n");
                       s.out.flush();
                       if (s.source.ends_with("b.x"))
                           std::abort();
                       return true;
                   });
               }});
    EXPECT_EQ(run({"--jobs=1", "--each", dir.file("*.x"), "note", "{}", "crash"}), kExitStepFailed);
    // The crash ends its own spectrum only, and what it left half written is dropped.
    EXPECT_EQ(out.str(), "done " + dir.file("a.x") + "\ndone " + dir.file("c.x") + "\n");
    EXPECT_NE(err.str().find(dir.file("b.x") + " failed: killed by signal 6"), std::string::npos)
        << err.str();
    EXPECT_TRUE(record.empty());  // the steps ran in the spectra's processes
}

TEST(EachPlaceholders, StandForTheMatchedPathItsFolderAndTheFolderName)
{
    const std::string here = std::filesystem::current_path().filename().string();
    const std::vector<std::vector<std::string>> cases = {
        // path, the words, the words for that path
        {"data/s1/fid", "{}", "{dir}/{name}.png", "x{}y{}", "{nam}{dir", "data/s1/fid",
         "data/s1/s1.png", "xdata/s1/fidydata/s1/fid", "{nam}{dir"},
        {"fid", "{dir}/{name}", "{{}}", "./" + here, "{fid}"},
        {"/s/../t/fid", "{name}-{dir}", "t-/s/../t"},
    };
    for (const auto& c : cases) {
        const std::size_t n = (c.size() - 1) / 2;
        const std::vector<std::string> words(c.begin() + 1, c.begin() + 1 + n);
        EXPECT_EQ(withPlaceholders(words, c[0]), std::vector<std::string>(c.begin() + 1 + n, c.end()))
            << c[0];
    }
}

TEST(AnswerFor, MapsTheForcedAnswerOntoTheButtonsOffered)
{
    const std::optional<Answer> none;
    EXPECT_EQ(answerFor(Buttons::Ok, Answer::Cancel), Answer::Ok);  // nothing to decline
    EXPECT_EQ(answerFor(Buttons::YesNo, none), Answer::Yes);
    EXPECT_EQ(answerFor(Buttons::YesNo, Answer::Ok), Answer::Yes);
    EXPECT_EQ(answerFor(Buttons::YesNo, Answer::Cancel), Answer::No);
    EXPECT_EQ(answerFor(Buttons::OkCancel, Answer::Yes), Answer::Ok);
    EXPECT_EQ(answerFor(Buttons::OkCancel, Answer::No), Answer::Cancel);
    EXPECT_EQ(answerFor(Buttons::YesNoCancel, none), Answer::Yes);
    EXPECT_EQ(answerFor(Buttons::YesNoCancel, Answer::No), Answer::No);
}

TEST(BatchUiMessages, KeepLineBreaksAndTheCaptionAsGiven)
{
    std::ostringstream err;
    BatchUi ui(err);
    EXPECT_EQ(ui.message("Cannot open the file", "Error ", Buttons::Ok, Icon::None,
                         Owner::ActiveWindow),
              Answer::Ok);
    ui.message("two\n lines", "T", Buttons::Ok, Icon::Error, Owner::None);
    EXPECT_EQ(err.str(), "Error : Cannot open the file\nT: two\n lines\n");
}

TEST(BatchUiChoosers, ReturnTheStepPathOrCancel)
{
    std::ostringstream err;
    BatchUi ui(err);
    EXPECT_EQ(ui.chooseOpenFile({}), std::nullopt);
    const auto start = std::filesystem::current_path();
    const std::string path = (std::filesystem::temp_directory_path() / "x.tvx").string();
    ui.setChoice(path, Chooser::Save);  // the step's own chooser only
    EXPECT_EQ(ui.chooseOpenFile({}), std::nullopt);
    EXPECT_EQ(ui.chooseSaveFile({}), path);
    ui.setChoice(path);
    EXPECT_EQ(ui.chooseOpenFile({}), path);
    // The chosen file's folder becomes the current folder, as with the desktop dialogs.
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::temp_directory_path());
    std::filesystem::current_path(start);
}

std::string json(const std::function<void(JsonWriter&)>& write)
{
    std::ostringstream text;
    JsonWriter writer(text);
    write(writer);
    return text.str();
}

TEST(JsonWriterOutput, NestsWithCommasAndEscapesStrings)
{
    const std::string text = json([](JsonWriter& j) {
        j.beginObject();
        j.key("a").value(std::int32_t{1});
        j.key("list").beginArray().value(true).null().beginObject().endObject().endArray();
        j.key("q\"\\\n\x01").value("tab\there");
        j.key("empty").beginArray().endArray();
        j.endObject();
    });
    EXPECT_EQ(text,
              "{\"a\":1,\"list\":[true,null,{}],\"q\\\"\\\\\\n\\u0001\":\"tab\\there\","
              "\"empty\":[]}");
    const QJsonDocument parsed = QJsonDocument::fromJson(QByteArray::fromStdString(text));
    ASSERT_TRUE(parsed.isObject());
    EXPECT_EQ(parsed.object().value("q\"\\\n\x01").toString().toStdString(), "tab\there");
}

TEST(JsonWriterOutput, DoublesReadBackBitForBitAndNonFiniteAreNull)
{
    const std::vector<double> values = {
        0.1, 1.0 / 3.0, -2.5e-300, 6009.6, 1e17, 123456789012345678.0, -0.0, 0.0,
        std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(), std::numeric_limits<double>::min(),
        std::nextafter(1.0, 2.0)};
    const std::string text = json([&](JsonWriter& j) {
        j.beginArray();
        for (double v : values)
            j.value(v);
        j.value(std::numeric_limits<double>::quiet_NaN());
        j.value(-std::numeric_limits<double>::infinity());
        j.endArray();
    });
    const QJsonArray parsed = QJsonDocument::fromJson(QByteArray::fromStdString(text)).array();
    ASSERT_EQ(parsed.size(), static_cast<qsizetype>(values.size() + 2)) << text;
    EXPECT_TRUE(parsed.at(values.size()).isNull());
    EXPECT_TRUE(parsed.at(values.size() + 1).isNull());

    const auto numbers = test::jsonArrayNumbers("{\"v\":" + text + "}", "v");
    ASSERT_EQ(numbers.size(), values.size() + 2) << text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        ASSERT_TRUE(numbers[i]);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*numbers[i]),
                  std::bit_cast<std::uint64_t>(values[i]))
            << values[i] << " written as " << text;
    }
    EXPECT_EQ(json([](JsonWriter& j) { j.value(0.5); }), "0.5");
}

}  // namespace
}  // namespace tesvar::batch
