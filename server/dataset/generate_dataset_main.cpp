// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the demo directory's dataset: hotspots.txt and the location pictures under images/.
#include "dataset/dataset_generator.h"
#include "dataset/location_picture.h"
#include "reference/reference_table.h"
#include "reference/text_fields.h"
#include "rules/osm_tags.h"
#include "rules/search_keys.h"

#include <QCoreApplication>
#include <QImage>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gif_lib.h>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;
using namespace pellomar::directory;

namespace {

std::optional<std::string> readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool writeFile(const fs::path &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return !bytes.empty() && static_cast<bool>(out.flush());
}

bool writeJpeg(const fs::path &path, const IndexedPicture &picture)
{
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            const Rgb c = picture.at(x, y);
            line[x] = qRgb(c.r, c.g, c.b);
        }
    }
    return image.save(QString::fromStdString(path.string()), "JPG", 60);
}

// The picture's own palette, padded to a power of two as GIF wants it.
std::string gifOf(const IndexedPicture &picture)
{
    const int paletteBits = GifBitSize(static_cast<int>(picture.palette.size()));
    std::vector<GifColorType> colours(std::size_t { 1 } << paletteBits, GifColorType {});
    for (std::size_t i = 0; i < picture.palette.size(); ++i)
        colours[i] = { picture.palette[i].r, picture.palette[i].g, picture.palette[i].b };
    ColorMapObject *palette = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    std::string bytes;
    const auto append = [](GifFileType *gif, const GifByteType *data, int size) {
        static_cast<std::string *>(gif->UserData)
            ->append(reinterpret_cast<const char *>(data), static_cast<std::size_t>(size));
        return size;
    };
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, append, &error);
    // GIF89a, as the pictures were before giflib wrote them: most stay the same byte for byte.
    if (gif)
        EGifSetGifVersion(gif, true);
    bool written = gif && palette
        && EGifPutScreenDesc(gif, picture.width, picture.height, paletteBits, 0, palette) == GIF_OK
        && EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) == GIF_OK;
    // giflib masks the pixels of a line in place.
    std::vector<GifPixelType> line(static_cast<std::size_t>(picture.width));
    for (int y = 0; written && y < picture.height; ++y) {
        std::copy_n(picture.pixels.begin() + y * picture.width, picture.width, line.begin());
        written = EGifPutLine(gif, line.data(), picture.width) == GIF_OK;
    }
    GifFreeMapObject(palette);
    written = gif && EGifCloseFile(gif, &error) == GIF_OK && written;
    return written ? bytes : std::string();
}

int usage()
{
    std::cerr << "usage: pellomar-directory-dataset --world FILE --words FILE --countries FILE "
                 "--locations FILE --out DIR\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const auto started = std::chrono::steady_clock::now();

    std::map<std::string, std::string> options;
    for (int i = 1; i + 1 < argc; i += 2)
        options[argv[i]] = argv[i + 1];
    for (const char *name : { "--world", "--words", "--countries", "--locations", "--out" }) {
        if (!options.contains(name))
            return usage();
    }

    const auto worldText = readFile(options["--world"]);
    const auto wordsText = readFile(options["--words"]);
    const auto countriesText = readFile(options["--countries"]);
    const auto locationsText = readFile(options["--locations"]);
    if (!worldText || !wordsText || !countriesText || !locationsText) {
        std::cerr << "pellomar-directory-dataset: cannot read the input files\n";
        return 1;
    }
    std::string why;
    const auto world = parseWorldTable(*worldText, why);
    const auto words = world ? parseWordLists(*wordsText, why) : std::nullopt;
    if (!words) {
        std::cerr << options[world ? "--words" : "--world"] << ": " << why << "\n";
        return 1;
    }
    const auto countries = pellomar::parseCountries(*countriesText);
    const auto locationTypes = pellomar::parseLocationTypes(*locationsText);
    // "Other" holds imported places that fit no type; every demo hotspot has a type of its own.
    pellomar::ReferenceTable demoTypes(pellomar::ReferenceTable::LocationTypeCapacity);
    for (const auto &row : locationTypes.table.rows()) {
        if (pellomar::directory::codeKey(row.code) != OtherLocationType)
            demoTypes.append(row);
    }
    const GeneratedDataset dataset = generateDataset(*world, *words, countries.table, demoTypes);
    if (!dataset.problems.empty()) {
        for (const auto &problem : dataset.problems)
            std::cerr << "pellomar-directory-dataset: " << problem << "\n";
        return 1;
    }

    const fs::path out = options["--out"];
    const fs::path images = out / "images";
    std::error_code error;
    fs::remove_all(images, error);
    fs::create_directories(images, error);
    if (error) {
        std::cerr << "pellomar-directory-dataset: cannot create " << images << ": "
                  << error.message() << "\n";
        return 1;
    }

    std::uintmax_t pictureBytes = 0;
    for (const auto &order : dataset.pictures) {
        const IndexedPicture picture = paintLocationPicture(order.width, order.height, order.seed);
        const fs::path file = out / order.path;
        bool written = false;
        if (order.format == PictureFormat::Gif)
            written = writeFile(file, gifOf(picture));
        else
            written = writeJpeg(file, picture);
        if (!written) {
            std::cerr << "pellomar-directory-dataset: cannot write " << file << "\n";
            return 1;
        }
        pictureBytes += fs::file_size(file);
    }

    // The table goes last and by rename: the build takes its presence as "dataset complete".
    std::string table = std::string(DatasetHeader) + "\n";
    for (const auto &hotspot : dataset.hotspots)
        table += formatDatasetLine(hotspot) + "\n";
    const fs::path partial = out / "hotspots.txt.part";
    if (!writeFile(partial, table)) {
        std::cerr << "pellomar-directory-dataset: cannot write " << partial << "\n";
        return 1;
    }
    fs::rename(partial, out / "hotspots.txt", error);
    if (error) {
        std::cerr << "pellomar-directory-dataset: cannot write hotspots.txt: " << error.message()
                  << "\n";
        return 1;
    }

    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    std::cout << "pellomar-directory-dataset: " << dataset.hotspots.size() << " hotspots, "
              << dataset.pictures.size() << " pictures (" << pictureBytes / 1024 << " KiB), table "
              << table.size() / 1024 << " KiB, " << elapsed.count() << " ms\n";
    return 0;
}
