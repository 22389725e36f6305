// The reader refuses every kind of bad input with an error result, no model, and a reason that
// names the place in the document.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <thread>

#include "test_support.h"

using namespace sutest;

namespace {

struct RefusalCase {
    const char* name;
    std::function<void(Json&)> spoil;  // applied to RichDocument()
    SUResult code;
    const char* reason;  // the reason must start with this (the place, then what is wrong)
};

Json Face(Json outer) {
    return Json{{"outer", std::move(outer)}};
}

// A chain of `depth` component definitions, each placing the next; the root places the first.
Json Chain(int depth) {
    Json document = MinimalDocument();
    for (int i = 0; i < depth; ++i) {
        Json definition = {{"name", "D" + std::to_string(i)}, {"kind", "component"}};
        if (i + 1 < depth) {
            definition["entities"]["instances"] = {{{"definition", "D" + std::to_string(i + 1)}}};
        }
        document["definitions"].push_back(definition);
    }
    document["entities"]["instances"] = {{{"definition", "D0"}}};
    return document;
}

const RefusalCase kCases[] = {
    {"UnknownTopLevelKey", [](Json& d) { d["modelDocuments"] = 1; }, SU_ERROR_MODEL_INVALID,
     "/modelDocuments: unknown key"},
    {"UnknownFaceKey", [](Json& d) { d["entities"]["faces"][0]["hiden"] = true; },
     SU_ERROR_MODEL_INVALID, "/entities/faces/0/hiden: unknown key"},
    {"UnknownTextureKey", [](Json& d) { d["materials"][0]["texture"]["scale"] = 1; },
     SU_ERROR_MODEL_INVALID, "/materials/0/texture/scale: unknown key"},
    {"MissingFormat", [](Json& d) { d.erase("modelDocument"); }, SU_ERROR_MODEL_INVALID,
     "/: missing key \"modelDocument\""},
    {"OtherFormat", [](Json& d) { d["modelDocument"] = 2; }, SU_ERROR_MODEL_VERSION,
     "/modelDocument: model document format 2"},
    {"WrongTypeBool", [](Json& d) { d["layers"][2]["visible"] = "no"; }, SU_ERROR_MODEL_INVALID,
     "/layers/2/visible: expected true or false, found a string"},
    {"WrongTypeName", [](Json& d) { d["materials"][1]["name"] = 2; }, SU_ERROR_MODEL_INVALID,
     "/materials/1/name: expected a string"},
    {"WrongTypeEntities", [](Json& d) { d["entities"]["faces"] = Json::object(); },
     SU_ERROR_MODEL_INVALID, "/entities/faces: expected an array, found an object"},
    {"ColourOutOfRange", [](Json& d) { d["materials"][0]["color"][2] = 256; },
     SU_ERROR_MODEL_INVALID, "/materials/0/color/2: 256 is out of range"},
    {"NegativeColour", [](Json& d) { d["materials"][0]["color"][0] = -1; }, SU_ERROR_MODEL_INVALID,
     "/materials/0/color/0: -1 is out of range"},
    {"ColourWithFraction", [](Json& d) { d["materials"][0]["color"][1] = 1.5; },
     SU_ERROR_MODEL_INVALID, "/materials/0/color/1: expected an integer"},
    {"Int32OutOfRange", [](Json& d) { d["renderingOptions"]["Big"] = 2147483648LL; },
     SU_ERROR_MODEL_INVALID, "/renderingOptions/Big: 2147483648 is out of range"},
    {"NullTypedValue", [](Json& d) { d["renderingOptions"]["Nothing"] = nullptr; },
     SU_ERROR_MODEL_INVALID, "/renderingOptions/Nothing: expected true, false, a number"},
    {"ArrayAttribute",
     [](Json& d) {
         d["materials"][1]["attributes"][0]["values"]["List"] = {1, 2};
     },
     SU_ERROR_MODEL_INVALID, "/materials/1/attributes/0/values/List: expected true, false"},
    {"ShortTransform", [](Json& d) { d["entities"]["groups"][0]["transform"].erase(15); },
     SU_ERROR_MODEL_INVALID, "/entities/groups/0/transform: expected 16 numbers, found 15"},
    {"UnknownMaterial", [](Json& d) { d["entities"]["faces"][0]["back"] = "Marble"; },
     SU_ERROR_MODEL_INVALID, "/entities/faces/0/back: no material is named \"Marble\""},
    {"UnknownLayerMaterial", [](Json& d) { d["layers"][0]["material"] = "Marble"; },
     SU_ERROR_MODEL_INVALID, "/layers/0/material: no material"},
    {"UnknownLayer",
     [](Json& d) { d["definitions"][1]["entities"]["instances"][0]["layer"] = "Roof"; },
     SU_ERROR_MODEL_INVALID, "/definitions/1/entities/instances/0/layer: no layer is named"},
    {"UnknownDefaultLayer", [](Json& d) { d["defaultLayer"] = "Roof"; }, SU_ERROR_MODEL_INVALID,
     "/defaultLayer: no layer is named \"Roof\""},
    {"UnknownDefinition", [](Json& d) { d["entities"]["instances"][1]["definition"] = "Sofa"; },
     SU_ERROR_MODEL_INVALID, "/entities/instances/1/definition: no definition is named"},
    {"GroupOfComponent", [](Json& d) { d["entities"]["groups"][0]["definition"] = "Chair"; },
     SU_ERROR_MODEL_INVALID, "/entities/groups/0/definition: \"Chair\" is a component definition"},
    {"ImageOfGroup", [](Json& d) { d["entities"]["images"][0]["definition"] = "Room"; },
     SU_ERROR_MODEL_INVALID, "/entities/images/0/definition: \"Room\" is a group definition"},
    {"UnknownKind", [](Json& d) { d["definitions"][0]["kind"] = "block"; }, SU_ERROR_MODEL_INVALID,
     "/definitions/0/kind: unknown definition kind \"block\""},
    {"DuplicateLayer", [](Json& d) { d["layers"][2]["name"] = "Walls"; }, SU_ERROR_MODEL_INVALID,
     "/layers/2/name: another layer is named \"Walls\""},
    {"DuplicateMaterial", [](Json& d) { d["materials"][2]["name"] = "Brick"; },
     SU_ERROR_MODEL_INVALID, "/materials/2/name: another material is named \"Brick\""},
    {"DuplicateDefinitionAcrossKinds", [](Json& d) { d["definitions"][2]["name"] = "Chair"; },
     SU_ERROR_MODEL_INVALID, "/definitions/2/name: another definition is named \"Chair\""},
    {"SelfContainingDefinition",
     [](Json& d) {
         d["definitions"][0]["entities"]["instances"] = {{{"definition", "Chair"}}};
     },
     SU_ERROR_MODEL_INVALID,
     "/definitions/0/entities/instances/0/definition: definition contains itself: \"Chair\" -> "
     "\"Chair\""},
    {"CycleThroughGroup",
     [](Json& d) {
         d["definitions"][0]["entities"]["groups"] = {{{"definition", "Room"}}};
     },
     SU_ERROR_MODEL_INVALID,
     "/definitions/1/entities/instances/0/definition: definition contains itself: \"Chair\" -> "
     "\"Room\" -> \"Chair\""},
    {"TooFewPoints",
     [](Json& d) {
         d["entities"]["faces"][1] = Face({{0, 0, 0}, {1, 0, 0}});
     },
     SU_ERROR_MODEL_INVALID, "/entities/faces/1: outer loop has fewer than 3 points"},
    {"RepeatedPoint",
     [](Json& d) {
         d["definitions"][0]["entities"]["faces"][1]["holes"][0][2] = {0, 2, 2};
     },
     SU_ERROR_MODEL_INVALID, "/definitions/0/entities/faces/1: hole 1 repeats a point"},
    {"ZeroArea",
     [](Json& d) {
         d["entities"]["faces"][0] = Face({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}});
     },
     SU_ERROR_MODEL_INVALID, "/entities/faces/0: outer loop has zero area"},
    {"OffPlane",
     [](Json& d) {
         d["entities"]["faces"][0] = Face({{0, 0, 0}, {10, 0, 0}, {10, 10, 0.5}, {0, 10, 0}});
     },
     SU_ERROR_MODEL_INVALID, "/entities/faces/0: point"},
    {"PointNotTriple",
     [](Json& d) {
         d["entities"]["faces"][0]["outer"][1] = {1, 2};
     },
     SU_ERROR_MODEL_INVALID, "/entities/faces/0/outer/1: expected 3 numbers, found 2"},
    {"StqCountMismatch",
     [](Json& d) {
         d["entities"]["faces"][1]["frontSTQ"].push_back({0, 0, 1});
     },
     SU_ERROR_MODEL_INVALID, "/entities/faces/1/frontSTQ: 4 triples for a face of 3 loop points"},
    {"BadBase64", [](Json& d) { d["materials"][0]["texture"]["pixels"]["data"] = "AAD/AP8*"; },
     SU_ERROR_MODEL_INVALID, "/materials/0/texture/pixels/data: not valid base64"},
    {"PixelSizeMismatch", [](Json& d) { d["materials"][0]["texture"]["pixels"]["width"] = 3; },
     SU_ERROR_MODEL_INVALID, "/materials/0/texture/pixels/data: 6 bytes of pixels where 3 x 1"},
    {"BitsPerPixel", [](Json& d) { d["materials"][0]["texture"]["pixels"]["bitsPerPixel"] = 8; },
     SU_ERROR_MODEL_INVALID, "/materials/0/texture/pixels/bitsPerPixel: 8 is out of range"},
    {"TextureWithoutPixels", [](Json& d) { d["materials"][0]["texture"].erase("pixels"); },
     SU_ERROR_MODEL_INVALID, "/materials/0/texture: a texture needs exactly one of"},
    {"MissingImageFile",
     [](Json& d) {
         d["materials"][1]["texture"] = {{"image", "no.png"}};
     },
     SU_ERROR_MODEL_INVALID, "/materials/1/texture/image: cannot read image \"no.png\""},
    {"ImageIsFolder",
     [](Json& d) {
         d["materials"][1]["texture"] = {{"image", "."}};
     },
     SU_ERROR_MODEL_INVALID, "/materials/1/texture/image: cannot read image \".\": is a directory"},
    {"UnknownMaterialType", [](Json& d) { d["materials"][2]["type"] = "glass"; },
     SU_ERROR_MODEL_INVALID, "/materials/2/type: unknown material type \"glass\""},
    {"ZeroScale", [](Json& d) { d["materials"][0]["texture"]["sScale"] = 0; },
     SU_ERROR_MODEL_INVALID, "/materials/0/texture/sScale: a texture scale must be greater"},
    {"FailListTypo", [](Json& d) { d["entities"]["groups"][0]["fail"] = {"SUGroupGetEntites"}; },
     SU_ERROR_MODEL_INVALID,
     "/entities/groups/0/fail/0: SUGroupGetEntites is not a function that can be made to fail"},
    {"FailListOtherObject", [](Json& d) { d["layers"][1]["fail"] = {"SUTextureGetDimensions"}; },
     SU_ERROR_MODEL_INVALID, "/layers/1/fail/0: SUTextureGetDimensions is never asked about"},
    {"FailListNotStrings", [](Json& d) { d["fail"] = {1}; }, SU_ERROR_MODEL_INVALID,
     "/fail/0: expected a string"},
    {"VersionTooShort",
     [](Json& d) {
         d["version"] = {21, 0};
     },
     SU_ERROR_MODEL_INVALID, "/version: expected major, minor and build"},
};

void PrintTo(const RefusalCase& refusal, std::ostream* out) {
    *out << refusal.name;
}

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, NamesThePlaceAndLeavesNoModel) {
    Json document = RichDocument();
    GetParam().spoil(document);
    DocumentModel model(document);
    EXPECT_EQ(model.result(), GetParam().code);
    EXPECT_TRUE(SUIsInvalid(model.get()));
    EXPECT_EQ(model.error().rfind(GetParam().reason, 0), 0u) << model.error();
}

INSTANTIATE_TEST_SUITE_P(Document, Refusal, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DocumentRefusal, TheRichDocumentItselfIsAccepted) {
    DocumentModel model(RichDocument());
    EXPECT_EQ(model.result(), SU_ERROR_NONE) << model.error();
    EXPECT_EQ(model.error(), "");
}

// Damage only text can carry: the JSON itself is broken.
TEST(DocumentRefusal, MalformedJsonIsASerializationError) {
    const std::pair<const char*, const char*> cases[] = {
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
    };
    for (const auto& [text, reason] : cases) {
        DocumentModel model{std::string(text)};
        EXPECT_EQ(model.result(), SU_ERROR_SERIALIZATION) << text;
        EXPECT_EQ(model.error().rfind(reason, 0), 0u) << text << " -> " << model.error();
    }
}

TEST(DocumentRefusal, NestingIsCappedWithoutRecursion) {
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    DocumentModel model{R"({"modelDocument": 1, "x": )" + deep + "}"};
    EXPECT_EQ(model.result(), SU_ERROR_SERIALIZATION);
    EXPECT_NE(model.error().find("nesting deeper than 64 levels"), std::string::npos)
        << model.error();
}

TEST(DocumentRefusal, DefinitionsNestAtMost64Levels) {
    DocumentModel deepest(Chain(64));
    EXPECT_EQ(deepest.result(), SU_ERROR_NONE) << deepest.error();

    DocumentModel tooDeep(Chain(65));
    EXPECT_EQ(tooDeep.result(), SU_ERROR_MODEL_INVALID);
    EXPECT_EQ(tooDeep.error().rfind("/definitions/63/entities/instances/0/definition: definitions "
                                    "nest deeper than 64 levels (from \"D0\")",
                                    0),
              0u)
        << tooDeep.error();
}

TEST(DocumentRefusal, LongCyclesAreFoundWithoutRecursion) {
    Json document = Chain(5000);
    document["definitions"][4999]["entities"]["instances"] = {{{"definition", "D0"}}};
    DocumentModel model(document);
    EXPECT_EQ(model.result(), SU_ERROR_MODEL_INVALID);
    EXPECT_NE(model.error().find("definition contains itself"), std::string::npos);
}

TEST(DocumentRefusal, FilesThatAreNotDocuments) {
    TempDir dir;
    const std::string skp = dir.Write(
        "house.skp", std::string("\xFF\xFE\xFF\x0ES\0k\0e\0t\0c\0h\0U\0p\0 \0M\0o\0d\0e\0l\0", 32));
    const std::string fifo = (dir.path() / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, const char*> cases[] = {
        {skp, "is a SketchUp binary file (.skp), which this library does not read"},
        {(dir.path() / "missing.skpm").string(), "No such file or directory"},
        {dir.path().string(), "is a directory"},
        {fifo, "is a pipe"},  // must not block waiting for a writer
        {"/dev/zero", "is a device"},
    };
    for (const auto& [path, reason] : cases) {
        Model model(path);
        EXPECT_EQ(model.result(), SU_ERROR_SERIALIZATION) << path;
        EXPECT_TRUE(SUIsInvalid(model.get()));
        EXPECT_NE(model.error().find(reason), std::string::npos) << model.error();
    }
}

TEST(DocumentRefusal, UndecodableImageFile) {
    TempDir dir;
    dir.Write("textures/bad.png", "not a png at all");
    Json document = MinimalDocument();
    document["materials"] = {{{"name", "M"}, {"texture", {{"image", "textures/bad.png"}}}}};
    Model model(dir.Write("model.skpm", document.dump()));
    EXPECT_EQ(model.result(), SU_ERROR_MODEL_INVALID);
    EXPECT_EQ(model.error().rfind("/materials/0/texture/image: cannot decode image", 0), 0u)
        << model.error();
}

TEST(DocumentRefusal, OpenErrorIsPerThreadAndClearedBySuccess) {
    DocumentModel bad{std::string("{")};
    ASSERT_NE(std::string(SKPMGetLastOpenError()), "");
    std::string seenElsewhere = "unset";
    std::thread([&] { seenElsewhere = SKPMGetLastOpenError(); }).join();
    EXPECT_EQ(seenElsewhere, "");
    DocumentModel good(MinimalDocument());
    EXPECT_EQ(std::string(SKPMGetLastOpenError()), "");
}

TEST(DocumentRefusal, ArgumentChecks) {
    SUModelRef model = SU_INVALID;
    EXPECT_EQ(SUModelCreateFromFile(&model, nullptr), SU_ERROR_NULL_POINTER_INPUT);
    EXPECT_EQ(SUModelCreateFromFile(nullptr, "x.skpm"), SU_ERROR_NULL_POINTER_OUTPUT);
    DocumentModel open(MinimalDocument());
    SUModelRef valid = open.get();
    EXPECT_EQ(SUModelCreateFromFile(&valid, "x.skpm"), SU_ERROR_OVERWRITE_VALID);
    EXPECT_TRUE(SUAreEqual(valid, open.get()));
}

}  // namespace
