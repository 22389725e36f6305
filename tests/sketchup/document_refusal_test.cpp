// The reader refuses every kind of bad input with an error result, no model, and a reason that
// names the place in the document; damaged documents never crash it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "file_contents.h"
#include "test_platform.h"
#include "test_support.h"

using namespace sutest;
using testing::HasSubstr;
using testing::StartsWith;

namespace {

constexpr SUResult kInvalid = SU_ERROR_MODEL_INVALID;

// One change to RichDocument(): the value at `pointer` replaced. The reason must start with
// `reason`, or with "<pointer>: <reason>" when `reason` does not name a place.
struct Spoil {
    const char* pointer;
    Json value;
    SUResult code;
    const char* reason;
};

// clang-format off
const Spoil kSpoils[] = {
    {"/modelDocuments", 1, kInvalid, "unknown key"},
    {"", {{"layers", Json::array()}}, kInvalid, "/: missing key \"modelDocument\""},
    {"/modelDocument", 2, SU_ERROR_MODEL_VERSION, "model document format 2"},
    {"/layers/2/visible", "no", kInvalid, "expected true or false, found a string"},
    {"/entities/faces", Json::object(), kInvalid, "expected an array, found an object"},
    {"/materials/0/color/2", 256, kInvalid, "256 is out of range"},
    {"/materials/0/color/0", -1, kInvalid, "-1 is out of range"},
    {"/materials/0/color/1", 1.5, kInvalid, "expected an integer"},
    {"/renderingOptions/Big", 2147483648LL, kInvalid, "2147483648 is out of range"},
    {"/materials/1/attributes/0/values/List", {1, 2}, kInvalid, "expected true, false"},
    {"/entities/groups/0/transform", {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0}, kInvalid,
     "expected 16 numbers, found 15"},
    {"/entities/faces/0/back", "Marble", kInvalid, "no material is named \"Marble\""},
    {"/definitions/1/entities/instances/0/layer", "Roof", kInvalid, "no layer is named"},
    {"/defaultLayer", "Roof", kInvalid, "no layer is named \"Roof\""},
    {"/entities/instances/1/definition", "Sofa", kInvalid, "no definition is named"},
    {"/entities/groups/0/definition", "Chair", kInvalid, "\"Chair\" is a component definition"},
    {"/entities/images/0/definition", "Room", kInvalid, "\"Room\" is a group definition"},
    {"/definitions/0/kind", "block", kInvalid, "unknown definition kind \"block\""},
    {"/layers/2/name", "Walls", kInvalid, "another layer is named \"Walls\""},
    {"/materials/2/name", "Brick", kInvalid, "another material is named \"Brick\""},
    {"/definitions/2/name", "Chair", kInvalid, "another definition is named \"Chair\""},
    {"/definitions/0/entities/instances", {{{"definition", "Chair"}}}, kInvalid,
     "/definitions/0/entities/instances/0/definition: definition contains itself: \"Chair\" -> "
     "\"Chair\""},
    {"/definitions/0/entities/groups", {{{"definition", "Room"}}}, kInvalid,
     "/definitions/1/entities/instances/0/definition: definition contains itself: \"Chair\" -> "
     "\"Room\" -> \"Chair\""},
    // The tessellator's refusals, named at their face (each reason is the tessellator's test).
    {"/definitions/0/entities/faces/1/holes/0/2", {0, 2, 2}, kInvalid,
     "/definitions/0/entities/faces/1: hole 1 repeats a point"},
    {"/entities/faces/0/outer", {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, kInvalid,
     "/entities/faces/0: outer loop has zero area"},
    {"/entities/faces/0/outer/1", {1, 2}, kInvalid, "expected 3 numbers, found 2"},
    {"/entities/faces/1/frontSTQ/-", {0, 0, 1}, kInvalid,
     "/entities/faces/1/frontSTQ: 4 triples for a face of 3 loop points"},
    {"/materials/0/texture/pixels/data", "AAD/AP8*", kInvalid, "not valid base64"},
    {"/materials/0/texture/pixels/width", 3, kInvalid,
     "/materials/0/texture/pixels/data: 6 bytes of pixels where 3 x 1"},
    {"/materials/0/texture/pixels/bitsPerPixel", 8, kInvalid, "8 is out of range"},
    {"/materials/0/texture", {{"sScale", 1}}, kInvalid, "a texture needs exactly one of"},
    {"/materials/1/texture", {{"image", "no.png"}}, kInvalid,
     "/materials/1/texture/image: cannot read image \"no.png\""},
    {"/materials/1/texture", {{"image", "."}}, kInvalid,
     "/materials/1/texture/image: cannot read image \".\": is a directory"},
    {"/materials/1/texture", {{"image", "model.skpm"}}, kInvalid,  // the document itself
     "/materials/1/texture/image: cannot decode image"},
    {"/materials/2/type", "glass", kInvalid, "unknown material type \"glass\""},
    {"/materials/0/texture/sScale", 0, kInvalid, "a texture scale must be greater"},
    {"/entities/groups/0/fail", {"SUGroupGetEntites"}, kInvalid,
     "/entities/groups/0/fail/0: SUGroupGetEntites is not a function that can be made to fail"},
    {"/layers/1/fail", {"SUTextureGetDimensions"}, kInvalid,
     "/layers/1/fail/0: SUTextureGetDimensions is never asked about"},
    {"/version", {21, 0}, kInvalid, "expected major, minor and build"},
};
// clang-format on

TEST(DocumentRefusal, EachSpoiledDocumentNamesThePlaceAndLeavesNoModel) {
    ASSERT_EQ(DocumentModel(RichDocument()).result(), SU_ERROR_NONE);
    for (const Spoil& spoil : kSpoils) {
        SCOPED_TRACE(spoil.pointer);
        Json document = RichDocument();
        document[Json::json_pointer(spoil.pointer)] = spoil.value;
        DocumentModel model(document);
        EXPECT_EQ(model.result(), spoil.code);
        EXPECT_TRUE(SUIsInvalid(model.get()));
        const std::string reason = spoil.reason[0] == '/'
                                       ? std::string(spoil.reason)
                                       : std::string(spoil.pointer) + ": " + spoil.reason;
        EXPECT_THAT(model.error(), StartsWith(reason));
    }
}

// Damage only text can carry: the JSON itself is broken.
TEST(DocumentRefusal, MalformedJsonIsASerializationError) {
    const std::pair<std::string, const char*> cases[] = {
        {R"({"modelDocument": 1, "layers": [{"name": "a", "name": "b"}]})",
         "/layers/0/name: key appears twice"},
        {R"({"modelDocument": 1, "modelDocument": 1})", "/modelDocument: key appears twice"},
        {R"({"modelDocument": 1, "layers": [)", "/layers/0: parse error"},
        {R"({"modelDocument": 1,})", "/: parse error"},
        {"{\"modelDocument\": 1, \"layers\": [{\"name\": \"\xC3\x28\"}]}", "/layers/0/name: "},
        {R"({"modelDocument": 1, "version": [1, 2, 123456789012345678901234567890]})",
         "/version/2: integer 123456789012345678901234567890 is out of range"},
        {R"({"modelDocument": 1, "renderingOptions": {"x": 1e999}})", "/renderingOptions/x: "},
        {"", "/: parse error"},
        {"[1, 2]", "/: a model document is a JSON object"},
        // A raw control character inside a string is not JSON.
        {"{\"modelDocument\": 1, \"layers\": [{\"name\": \"a\tb\"}]}",
         "/layers/0/name: parse error"},
        {R"({"modelDocument": 1, "layers": [{"name": "a"}]} x)", "/: parse error"},
    };
    for (const auto& [text, reason] : cases) {
        DocumentModel model(text);
        EXPECT_EQ(model.result(), SU_ERROR_SERIALIZATION) << text;
        EXPECT_THAT(model.error(), StartsWith(reason)) << text;
    }
    // Deep nesting is refused without recursing once per level.
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    DocumentModel nested(R"({"modelDocument": 1, "x": )" + deep + "}");
    EXPECT_EQ(nested.result(), SU_ERROR_SERIALIZATION);
    EXPECT_THAT(nested.error(), HasSubstr("nesting deeper than 64 levels"));
}

// A chain of `depth` component definitions D0, D1, ..., each placing the next; the root places
// D0.
Json Chain(int depth) {
    Json document = kMinimalDocument;
    for (int i = 0; i < depth; ++i) {
        const std::string name = "D" + std::to_string(i);
        Json& placer = i == 0 ? document["entities"] : document["definitions"][i - 1]["entities"];
        placer["instances"] = {{{"definition", name}}};
        document["definitions"][i] = {{"name", name}, {"kind", "component"}};
    }
    return document;
}

TEST(DocumentRefusal, DefinitionsNestAtMost64LevelsAndLongCyclesAreFound) {
    DocumentModel deepest(Chain(64));
    EXPECT_EQ(deepest.result(), SU_ERROR_NONE) << deepest.error();
    DocumentModel tooDeep(Chain(65));
    EXPECT_EQ(tooDeep.result(), kInvalid);
    EXPECT_THAT(tooDeep.error(),
                StartsWith("/definitions/63/entities/instances/0/definition: "
                           "definitions nest deeper than 64 levels (from \"D0\")"));

    Json cycle = Chain(5000);  // deep enough to overflow a recursive search
    cycle["definitions"][4999]["entities"]["instances"] = {{{"definition", "D0"}}};
    DocumentModel cyclic(cycle);
    EXPECT_EQ(cyclic.result(), kInvalid);
    EXPECT_THAT(cyclic.error(), HasSubstr("definition contains itself"));
}

TEST(DocumentRefusal, FilesThatAreNotDocuments) {
    testsupport::TempFolder dir;
    const std::string skp = dir.Write(
        "house.skp", std::string("\xFF\xFE\xFF\x0ES\0k\0e\0t\0c\0h\0U\0p\0 \0M\0o\0d\0e\0l\0", 32));
    const testsupport::WaitingPipe pipe(dir.Path());
    const std::pair<std::string, const char*> cases[] = {
        {skp, "is a SketchUp binary file (.skp), which this library does not read"},
        {testsupport::Utf8(dir.Path() / "missing.skpm"), "No such file or directory"},
        {testsupport::Utf8(dir.Path()), "is a directory"},
        {pipe.Path(), "is a pipe"},  // must not block waiting for a writer
        {testsupport::kDevicePath, "is a device"},
    };
    for (const auto& [path, reason] : cases) {
        Model model(path);
        EXPECT_EQ(model.result(), SU_ERROR_SERIALIZATION) << path;
        EXPECT_TRUE(SUIsInvalid(model.get()));
        EXPECT_THAT(model.error(), HasSubstr(reason));
    }
}

TEST(DocumentRefusal, OpenErrorIsPerThreadAndClearedBySuccess) {
    ASSERT_NE(DocumentModel(std::string("{")).error(), "");
    std::string seenElsewhere = "unset";
    std::thread([&] { seenElsewhere = SKPMGetLastOpenError(); }).join();
    EXPECT_EQ(seenElsewhere, "");
    EXPECT_NE(std::string(SKPMGetLastOpenError()), "");  // still this thread's
    DocumentModel good(kMinimalDocument);
    EXPECT_EQ(std::string(SKPMGetLastOpenError()), "");
}

// Damaged documents: every truncation and many random byte changes of a valid document are
// answered with a result and, when refused, a reason; never a crash or a hang.
TEST(HostileInput, TruncatedAndChangedDocumentsAreAnswered) {
    const std::string shed = testsupport::ReadBytes(SKETCHUP_TEST_DOCUMENTS "/shed.skpm");
    // The document ends with "}\n": anything shorter than that is an unfinished object.
    for (size_t length = 0; length < shed.rfind('}'); ++length) {
        DocumentModel model(shed.substr(0, length));
        ASSERT_EQ(model.result(), SU_ERROR_SERIALIZATION) << "length " << length;
        ASSERT_NE(model.error(), "");
    }
    std::mt19937 random(20240611);
    const char replacements[] = {'0', '9', '-', '.', 'e',  '"', '[',  ']',    '{',
                                 '}', ',', ':', ' ', '\\', 'x', '\0', '\xFF', '\x80'};
    size_t accepted = 0;
    for (int round = 0; round < 1000; ++round) {
        std::string changed = shed;
        for (size_t c = 0, changes = 1 + random() % 3; c < changes; ++c)
            changed[random() % changed.size()] = replacements[random() % sizeof replacements];
        DocumentModel model(changed);
        accepted += model.result() == SU_ERROR_NONE;
        // Accepted: a model and no reason; refused: no model and a reason.
        EXPECT_EQ(SUIsValid(model.get()), model.error().empty()) << changed;
    }
    // Some changes land in numbers and stay valid; most break the document.
    EXPECT_LT(accepted, 1000u);
}

}  // namespace
