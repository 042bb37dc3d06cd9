#include "ChannelDataFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace orx {

LoadResult LoadChannelData(const std::filesystem::path& path, RadioImage& image)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return LoadResult::CannotOpen;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return LoadResult::CannotOpen;
    RadioImage::Bytes buffer{};
    in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
    if (in.gcount() != static_cast<std::streamsize>(buffer.size()))
        return in.bad() ? LoadResult::CannotOpen : LoadResult::TooShort;
    image.data() = buffer;
    return LoadResult::Ok;
}

bool SaveChannelData(const std::filesystem::path& path, const RadioImage& image, std::string* error)
{
    auto fail = [error](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    std::filesystem::path temp = path;
    temp += ".saving";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            // The folder may refuse new files while the file itself is writable: write in place.
            std::ofstream direct(path, std::ios::binary | std::ios::trunc);
            if (!direct)
                return fail(std::strerror(errno));
            direct.write(reinterpret_cast<const char*>(image.data().data()),
                         static_cast<std::streamsize>(image.data().size()));
            direct.flush();
            return direct ? true : fail(std::strerror(errno));
        }
        out.write(reinterpret_cast<const char*>(image.data().data()), static_cast<std::streamsize>(image.data().size()));
        out.flush();
        if (!out) {
            const std::string why = std::strerror(errno);
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return fail(why);
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return fail(ec.message());
    }
    return true;
}

} // namespace orx
