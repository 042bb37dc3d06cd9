// orxtool json-export and json-import: the whole image as the JSON document of ImageJson.h, and back.

#include "Commands.h"
#include "ToolLanguage.h"
#include "ToolSupport.h"

#include "Texts.h"

#include "ImageJson.h"
#include "ScreenCopy.h"

namespace orxtool {

namespace {

// A JSON document is text a person edits; anything near this size is not one.
constexpr std::size_t kMaxDocumentSize = 16u << 20;

// The reasons of ImportImage in the catalogue; each one's English is the pattern it reports.
constexpr const char* kReasons[] = {
    res::kToolJsonObject,         res::kToolJsonUnknownKey,    res::kToolJsonMissing,
    res::kToolJsonWholeNumber,    res::kToolJsonNumber,        res::kToolJsonDecimals,
    res::kToolJsonBoolean,        res::kToolJsonString,        res::kToolJsonOneOf,
    res::kToolJsonHexBytes,       res::kToolJsonHexBytesRange, res::kToolJsonCtcssKeys,
    res::kToolJsonDcsNoHz,        res::kToolJsonDcsCode,       res::kToolJsonChannelTwice,
    res::kToolJsonEmptyChannel,   res::kToolJsonHidden,        res::kToolJsonNameLength,
    res::kToolJsonNameCharacters, res::kToolJsonMultiple,      res::kToolJsonPassword,
    res::kToolJsonPttIdCode,      res::kToolJsonPresets,       res::kToolJsonArray,
    res::kToolJsonOffset,         res::kToolJsonNotJson,       res::kToolJsonMustBe,
    res::kToolJsonVersion,        res::kToolJsonChannels,      res::kToolJsonSerial,
    res::kToolJsonSerialChannel,
};

// Why a document was refused, in the language chosen; the words it quotes from the document (keys,
// values, numbers) stay as they are.
std::string reasonText(const orx::json::ImportError& error)
{
    if (IsEnglish())
        return error.reason;
    for (const char* source : kReasons) {
        if (English(source) == error.pattern)
            return Tr(source, error.args);
    }
    return error.reason;
}

} // namespace

int ExportJson(const Invocation& invocation, const std::string& output)
{
    orx::RadioCatalog catalog;
    orx::RadioImage image;
    if (!LoadWithCatalog(invocation, 0, image, catalog))
        return ExitBadInput;
    orx::BandLimits limits; // as at program start
    const std::string document = orx::json::ExportImage(orx::LoadAndSave(image, catalog, limits));
    if (document.empty()) {
        PrintError(Tr(res::kToolJsonUnsayable));
        return ExitOutputFailed;
    }
    return WriteOutput(output, document) ? ExitOk : ExitOutputFailed;
}

int RunJsonExport(const Invocation& invocation)
{
    return ExportJson(invocation, invocation.arguments.at(1));
}

int RunJsonImport(const Invocation& invocation)
{
    const std::string& output = invocation.arguments.at(1);
    if (RefuseBinaryToTerminal(output))
        return ExitBadInput;
    std::string document;
    if (!ReadInput(invocation.arguments.at(0), kMaxDocumentSize + 1, document))
        return ExitBadInput;
    if (document.size() > kMaxDocumentSize) {
        PrintError(Tr(res::kToolJsonTooLarge, {Quoted(invocation.arguments.at(0))}));
        return ExitBadInput;
    }
    orx::RadioImage image;
    orx::json::ImportError error;
    if (!orx::json::ImportImage(document, image, error)) {
        // The path and the reason name the document's own English keys and values.
        const std::string name = Quoted(invocation.arguments.at(0));
        PrintError(error.path.empty() ? Tr(res::kToolJsonErrorNoPath, {name, reasonText(error)})
                                      : Tr(res::kToolJsonError, {name, error.path, reasonText(error)}));
        return ExitOutputFailed;
    }
    return SaveOutput(output, image) ? ExitOk : ExitOutputFailed;
}

} // namespace orxtool
