// The feeddump tool as a person or a script runs it: exit status and the JSON contract.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace saver {
namespace {

struct ToolRun {
    int status = -1;
    std::string output;
};

ToolRun Feeddump(const std::string& arguments) {
    const std::string command = std::string(SAVER_BIN_DIR) + "/feeddump " + arguments + " 2>&1";
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        run.output.append(buffer, got);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Fixture(const std::string& path) {
    return std::string(SAVER_TEST_DATA) + "/feeds/" + path;
}

TEST(FeeddumpTest, FailedLoadPrintsTheModelAndTheError) {
    const ToolRun run = Feeddump(Fixture("itunes/podcast.xml"));
    EXPECT_EQ(run.status, 1);
    for (const char* expected : {
             R"({"XMLType":"xtiTunes","Language":"langX",)",
             R"("Error":"Required Field Missing. Field: enclosure -> type")",
             R"("Language":"langX","XLang":"EN")",
             R"("KeyWords":["a","","b"])",
             R"("Owner":{"Name":"Owner","EmailAddress":"o@pod.example"})",
             R"("IsPermaLink":true,"Include":true)",
             R"("Duration":{"Hour":0,"Minute":0,"Second":0,"Duration":"0:0:00"})",
         }) {
        EXPECT_NE(run.output.find(expected), std::string::npos) << expected << "\n" << run.output;
    }
}

TEST(FeeddumpTest, ReadsStandardInput) {
    const ToolRun run = Feeddump("- < " + Fixture("rss/small.xml"));
    EXPECT_EQ(run.status, 0) << run.output;
    for (const char* expected : {
             R"("Error":null)",
             R"("Version":"0.91")",
             R"("HeaderTitle":"Small")",
             R"("Channel":{"Required":{"Title":"Small","Link":"","Desc":""})",
             R"("h07":true,"h08":false)",
             R"("Saturday":true,"Sunday":false)",
             R"("PubDate":{"DateTime":"1899-12-30T00:00:00","TimeZone":"GMT"})",
             R"("Items":[{"Title":"Only item")",
         }) {
        EXPECT_NE(run.output.find(expected), std::string::npos) << expected << "\n" << run.output;
    }
}

TEST(FeeddumpTest, HelpAndBadCommandLines) {
    const ToolRun help = Feeddump("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("Usage: feeddump [FILE|-]"), std::string::npos);
    const ToolRun missing = Feeddump(Fixture("no-such-feed.xml"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.output.find("cannot open"), std::string::npos);
    EXPECT_EQ(Feeddump("a b").status, 2);
}

}  // namespace
}  // namespace saver
