#include "ToolSupport.h"

#include "ChannelDataFile.h"
#include "ProgramIni.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace orxtool {

void PrintError(const std::string& message)
{
    std::fprintf(stderr, "orxtool: %s\n", message.c_str());
}

bool LoadInput(const std::string& path, orx::RadioImage& image)
{
    switch (orx::LoadChannelData(path, image)) {
    case orx::LoadResult::Ok:
        return true;
    case orx::LoadResult::TooShort: {
        std::error_code ec;
        const auto size = std::filesystem::file_size(path, ec);
        const std::string got = ec ? "fewer" : std::to_string(size);
        PrintError("'" + path + "' is not a channel-data file: it has " + got + " bytes, 4096 are needed");
        return false;
    }
    case orx::LoadResult::CannotOpen:
        break;
    }
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        PrintError("cannot open '" + path + "': no such file");
    else if (std::filesystem::is_directory(path, ec))
        PrintError("cannot open '" + path + "': it is a folder");
    else
        PrintError("cannot read '" + path + "'");
    return false;
}

bool ReadCatalog(const Invocation& invocation, orx::RadioCatalog& catalog)
{
    const std::string* ini = invocation.option("--ini");
    if (!ini)
        return true;
    // CProgramIni would create a missing file; a tool that only reads must not leave one behind.
    const QString path = QFile::decodeName(QByteArray::fromStdString(*ini));
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        PrintError("cannot read the configuration file '" + *ini + "'");
        return false;
    }
    file.close();
    catalog = CProgramIni(path).ReadRadioCatalog();
    return true;
}

bool LoadWithCatalog(const Invocation& invocation, std::size_t index, orx::RadioImage& image,
                     orx::RadioCatalog& catalog)
{
    return ReadCatalog(invocation, catalog) && LoadInput(invocation.arguments.at(index), image);
}

} // namespace orxtool
