#include "base/project_file.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <limits>

#include "base/file_io.h"
#include "base/working_folder.h"

namespace orvane {

namespace {

const QString kFormatName = QStringLiteral("orvane-project");
// The largest serial a JSON number holds exactly.
constexpr double kMaxExactSerial = 9007199254740992.0;

// A path as stored: relative to `anchor` when it lies in or below it.
QString storedPath(const QString& path, const QString& anchor) {
    if (path.isEmpty() || path == kNone || QDir::isRelativePath(path)) return path;
    const QString relative = QDir(anchor).relativeFilePath(path);
    if (relative.startsWith(QLatin1String("../")) || relative == QLatin1String("..") ||
        QDir::isAbsolutePath(relative))
        return path;
    return relative;
}

QString absolutePath(const QString& stored, const QString& anchor) {
    if (stored.isEmpty() || stored == kNone || QDir::isAbsolutePath(stored)) return stored;
    return QDir::cleanPath(QDir(anchor).absoluteFilePath(stored));
}

// A field holding a path, stored relative to an anchor folder.
template <typename Row>
struct PathField {
    const char* name;
    QString Row::*member;
};

template <typename Row>
using PathFields = std::initializer_list<PathField<Row>>;

// The fields of a row in their JSON types; `pathFields` are stored relative
// to `anchor`.
template <typename Row>
QJsonObject rowToJson(const Row& row, std::span<const FieldDef<Row>> fields,
                      PathFields<Row> pathFields, const QString& anchor) {
    QJsonObject object;
    for (const auto& f : fields) {
        if (f.name == std::string_view("index")) continue;  // the position is the index
        object.insert(QLatin1String(f.name), f.json(row));
    }
    for (const auto& path : pathFields)
        object.insert(QLatin1String(path.name), storedPath(row.*(path.member), anchor));
    return object;
}

template <typename Row>
QJsonArray tableToJson(const Table<Row>& table, std::span<const FieldDef<Row>> fields,
                       PathFields<Row> pathFields, const QString& anchor) {
    QJsonArray array;
    for (const Row& row : table) array.append(rowToJson(row, fields, pathFields, anchor));
    return array;
}

// One field as a file of `version` stores it: version 1 as the table's text,
// version 2 in its JSON type. False when it is not a value of the field.
template <typename Row>
bool readField(Row& row, const FieldDef<Row>& f, const QJsonValue& value, int version) {
    if (version == 1) return value.isString() && f.setText(row, value.toString());
    return f.setJson(row, value);
}

template <typename Row>
Result<Table<Row>> tableFromJson(const QJsonObject& document, const char* key,
                                 std::span<const FieldDef<Row>> fields, PathFields<Row> pathFields,
                                 const QString& anchor, int version) {
    const QJsonValue value = document.value(QLatin1String(key));
    if (!value.isArray()) return fail(QStringLiteral("the table \"%1\" is missing").arg(key));
    Table<Row> table;
    const QJsonArray rows = value.toArray();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (!rows[i].isObject())
            return fail(QStringLiteral("row %1 of \"%2\" is not an object").arg(i + 1).arg(key));
        const QJsonObject object = rows[i].toObject();
        Row row;
        for (const auto& f : fields) {
            if (f.name == std::string_view("index")) continue;
            const QJsonValue field = object.value(QLatin1String(f.name));
            if (field.isUndefined()) continue;  // a field added later keeps its default
            if (!readField(row, f, field, version))
                return fail(QStringLiteral("field \"%1\" of row %2 of \"%3\" is damaged")
                                .arg(QLatin1String(f.name))
                                .arg(i + 1)
                                .arg(key));
        }
        for (const auto& path : pathFields)
            row.*(path.member) = absolutePath(row.*(path.member), anchor);
        table.append(std::move(row));
    }
    return table;
}

// A hand-placed crop, as the crop window handed it over.
constexpr std::pair<const char*, int ManualCropInput::*> kCropFields[] = {
    {"slotWidth", &ManualCropInput::slotWidth},   {"slotHeight", &ManualCropInput::slotHeight},
    {"frameWidth", &ManualCropInput::frameWidth}, {"frameHeight", &ManualCropInput::frameHeight},
    {"photoX", &ManualCropInput::photoX},         {"photoY", &ManualCropInput::photoY},
    {"photoWidth", &ManualCropInput::photoWidth}, {"photoHeight", &ManualCropInput::photoHeight},
};
// Larger than any crop window or slot; keeps a damaged file from asking
// for a picture of gigapixels.
constexpr int kMaxCropExtent = 20000;

QJsonObject cropToJson(const ManualCropInput& crop) {
    QJsonObject object;
    for (const auto& [name, member] : kCropFields) object.insert(QLatin1String(name), crop.*member);
    return object;
}

Result<ManualCropInput> cropFromJson(const QJsonValue& value, const QString& photo) {
    const auto damaged = [&photo] {
        return fail(QStringLiteral("the crop of photo %1 is damaged").arg(photo));
    };
    if (!value.isObject()) return damaged();
    const QJsonObject object = value.toObject();
    ManualCropInput crop;
    for (const auto& [name, member] : kCropFields) {
        const QJsonValue field = object.value(QLatin1String(name));
        const double number = field.toDouble(-1e9);
        if (!field.isDouble() || std::abs(number) > kMaxCropExtent || number != std::trunc(number))
            return damaged();
        crop.*member = int(number);
    }
    if (crop.frameWidth <= 0 || crop.frameHeight <= 0 || crop.photoWidth <= 0 ||
        crop.photoHeight <= 0 || crop.slotWidth < 0 || crop.slotHeight < 0)
        return damaged();
    return crop;
}

// The crop styles a photo was staged with; both versions store them by
// their names.
QJsonObject cropStylesToJson(const CropStyles& crop) {
    return {{"landscape", enumName(crop.landscape)}, {"portrait", enumName(crop.portrait)}};
}

Result<CropStyles> cropStylesFromJson(const QJsonValue& value, const QString& photo) {
    const QJsonObject object = value.toObject();
    const auto landscape =
        enumFromName<LandscapeCrop>(object.value(QLatin1String("landscape")).toString());
    const auto portrait =
        enumFromName<PortraitCrop>(object.value(QLatin1String("portrait")).toString());
    if (!value.isObject() || !landscape || !portrait)
        return fail(QStringLiteral("the crop style of photo %1 is damaged").arg(photo));
    return CropStyles{*landscape, *portrait};
}

// The album settings as one row. Sizes and places are checked against what
// the program can make, so that a damaged file cannot ask for a frame of
// gigapixels.
using S = AlbumSettings;
constexpr FlagWords kBoolWords{"true", "false"};
const FieldDef<S> kSettingsFields[] = {
    field<&S::outputType>("outputType", ""),
    field<&S::tvSystem>("tvSystem", ""),
    field<&S::quality>("quality", ""),
    field<&S::syncMode>("syncMode", ""),
    field<&S::outputWidth>("outputWidth", ""),
    field<&S::outputHeight>("outputHeight", ""),
    field<&S::lyricKind>("lyricKind", ""),
    field<&S::thumbWidth>("thumbWidth", ""),
    field<&S::thumbHeight>("thumbHeight", ""),
    field<&S::landscapeCrop>("landscapeCrop", ""),
    field<&S::portraitCrop>("portraitCrop", ""),
    flagField<&S::loopMusicToFill, kBoolWords>("loopMusicToFill", ""),
    flagField<&S::loopPicturesToFill, kBoolWords>("loopPicturesToFill", ""),
    field<&S::imageSequenceFormat>("imageSequenceFormat", ""),
    field<&S::karaokeRowALeft>("karaokeRowALeft", ""),
    field<&S::karaokeRowATop>("karaokeRowATop", ""),
    field<&S::karaokeRowBTop>("karaokeRowBTop", ""),
};

// Version 1 stored these settings as text, the others in JSON types.
bool storedAsTextInVersion1(std::string_view name) {
    return name != "landscapeCrop" && name != "portraitCrop" && name != "loopMusicToFill" &&
           name != "loopPicturesToFill" && name != "karaokeRowALeft" && name != "karaokeRowATop" &&
           name != "karaokeRowBTop";
}

// Version 1 read a crop style or a loop it did not know as the default.
bool lenientInVersion1(std::string_view name) {
    return name == "landscapeCrop" || name == "portraitCrop" || name == "loopMusicToFill" ||
           name == "loopPicturesToFill";
}

QJsonObject settingsToJson(const AlbumSettings& s) {
    QJsonObject object;
    for (const auto& f : kSettingsFields) object.insert(QLatin1String(f.name), f.json(s));
    return object;
}

Result<void> checkSettings(const AlbumSettings& s) {
    constexpr int kMaxOutputWidth = 7680, kMaxOutputHeight = 4320, kMaxThumb = 1024;
    if (s.outputWidth < 1 || s.outputWidth > kMaxOutputWidth || s.outputHeight < 1 ||
        s.outputHeight > kMaxOutputHeight)
        return fail(QStringLiteral("the output size %1 × %2 is damaged")
                        .arg(s.outputWidth)
                        .arg(s.outputHeight));
    // A thumbnail's picture box is 30 pixels smaller than its tile.
    if (s.thumbWidth <= 30 || s.thumbWidth > kMaxThumb || s.thumbHeight <= 30 ||
        s.thumbHeight > kMaxThumb)
        return fail(QStringLiteral("the thumbnail size is damaged"));
    const auto formats = imageSequenceFormats();
    if (std::find(formats.begin(), formats.end(), s.imageSequenceFormat) == formats.end())
        return fail(
            QStringLiteral("the picture format \"%1\" is unknown").arg(s.imageSequenceFormat));
    // Places of the karaoke rows on the 1920 × 1080 frame.
    for (int place : {s.karaokeRowALeft, s.karaokeRowATop, s.karaokeRowBTop})
        if (place < 0 || place > 1920)
            return fail(QStringLiteral("a karaoke row is not a place on the frame"));
    return {};
}

Result<AlbumSettings> settingsFromJson(const QJsonValue& value, int version) {
    if (!value.isObject()) return fail(QStringLiteral("the album settings are missing"));
    const QJsonObject o = value.toObject();
    AlbumSettings s;
    for (const auto& f : kSettingsFields) {
        const QJsonValue field = o.value(QLatin1String(f.name));
        if (field.isUndefined()) continue;  // a setting added later keeps its default
        const bool read = version == 1 && storedAsTextInVersion1(f.name)
                              ? field.isString() && f.setText(s, field.toString())
                              : f.setJson(s, field);
        if (!read && !(version == 1 && lenientInVersion1(f.name)))
            return fail(QStringLiteral("the setting \"%1\" is damaged").arg(f.name));
    }
    if (auto checked = checkSettings(s); !checked) return std::unexpected(checked.error());
    return s;
}

QString mediaAnchor(const ProjectPaths& paths) {
    return QFileInfo(paths.projectFile).absolutePath();
}

QString templateAnchor(const ProjectPaths& paths) {
    return QString::fromStdString(paths.templateBase.string());
}

Result<ProjectModel> parseDocument(const QJsonObject& document, const ProjectPaths& paths) {
    if (document.value(QLatin1String("format")).toString() != kFormatName)
        return fail(QStringLiteral("it is not an Orvane project"));
    const QJsonValue versionValue = document.value(QLatin1String("version"));
    if (!versionValue.isDouble()) return fail(QStringLiteral("its format version is missing"));
    const int version = versionValue.toInt();
    if (version > kProjectFormatVersion)
        return fail(
            QStringLiteral("it was written by a newer Orvane (format version %1; this one opens "
                           "versions up to %2)")
                .arg(version)
                .arg(kProjectFormatVersion));
    if (version < 1) return fail(QStringLiteral("its format version %1 is unknown").arg(version));

    const QString media = mediaAnchor(paths);
    ProjectModel model;
    auto settings = settingsFromJson(document.value(QLatin1String("settings")), version);
    if (!settings) return std::unexpected(settings.error());
    model.settings = *settings;

    auto photos = tableFromJson<PhotoEntry>(document, "photos", photoFields(),
                                            {{"location", &PhotoEntry::location}}, media, version);
    if (!photos) return std::unexpected(photos.error());
    // Template packages are found again in the store of the opening run.
    for (PhotoEntry& photo : *photos) {
        photo.templatePath = absolutePath(photo.templatePath, templateAnchor(paths));
        bool number = false;
        if (photo.templateFolder.toInt(&number) <= 0 || !number)
            return fail(QStringLiteral("photo %1 has no template instance").arg(photo.index));
    }
    const QJsonArray photoRows = document.value(QLatin1String("photos")).toArray();
    for (qsizetype i = 0; i < photoRows.size(); ++i) {
        const QJsonObject row = photoRows[i].toObject();
        PhotoEntry& photo = photos->at(std::size_t(i));
        if (const QJsonValue crop = row.value(QLatin1String("manualCrop")); !crop.isUndefined()) {
            auto read = cropFromJson(crop, photo.location);
            if (!read) return std::unexpected(read.error());
            photo.manualCrop = *read;
        }
        // Photos of files saved before the crop style was kept with them are
        // staged with the settings' styles.
        if (const QJsonValue style = row.value(QLatin1String("cropStyle")); !style.isUndefined()) {
            auto read = cropStylesFromJson(style, photo.location);
            if (!read) return std::unexpected(read.error());
            photo.stagedCrop = *read;
        }
    }
    model.photos = std::move(*photos);
    auto music = tableFromJson<MusicEntry>(document, "music", musicFields(),
                                           {{"location", &MusicEntry::location}}, media, version);
    if (!music) return std::unexpected(music.error());
    model.music = std::move(*music);
    auto lyrics = tableFromJson<LyricEntry>(document, "lyrics", lyricFields(),
                                            {{"location", &LyricEntry::location}}, media, version);
    if (!lyrics) return std::unexpected(lyrics.error());
    model.lyrics = std::move(*lyrics);
    auto karaoke =
        tableFromJson<KaraokeEntry>(document, "karaoke", karaokeFields(),
                                    {{"location", &KaraokeEntry::location}}, media, version);
    if (!karaoke) return std::unexpected(karaoke.error());
    model.karaoke = std::move(*karaoke);
    auto texts =
        tableFromJson<TextEffect>(document, "textEffects", textEffectFields(), {}, media, version);
    if (!texts) return std::unexpected(texts.error());
    model.textEffects = std::move(*texts);
    auto pictures =
        tableFromJson<PictureEffect>(document, "pictureEffects", pictureEffectFields(),
                                     {{"decoration", &PictureEffect::decoration}}, media, version);
    if (!pictures) return std::unexpected(pictures.error());
    model.pictureEffects = std::move(*pictures);

    const QJsonValue instances = document.value(QLatin1String("templateInstanceCount"));
    if (!instances.isDouble() || instances.toDouble() < 0 ||
        instances.toDouble() > std::numeric_limits<int>::max())
        return fail(QStringLiteral("the template instance count is missing"));
    model.templateInstanceCount = QString::number(instances.toInt());
    // Binding keys made after the open continue the saved serial.
    const QJsonValue serial = document.value(QLatin1String("bindingKeySerial"));
    const double serialNumber = serial.toDouble();
    if (!serial.isUndefined() &&
        (!serial.isDouble() || serialNumber < 0 || serialNumber > kMaxExactSerial ||
         serialNumber != std::trunc(serialNumber)))
        return fail(QStringLiteral("the binding key serial is damaged"));
    model.bindingKeySerial = static_cast<std::uint64_t>(serialNumber);
    return model;
}

}  // namespace

QByteArray projectToJson(const ProjectModel& model, const ProjectPaths& paths) {
    const QString media = mediaAnchor(paths);
    QJsonArray photos =
        tableToJson(model.photos, photoFields(), {{"location", &PhotoEntry::location}}, media);
    for (qsizetype i = 0; i < photos.size(); ++i) {
        QJsonObject photo = photos[i].toObject();
        photo.insert(
            QLatin1String("templatePath"),
            storedPath(model.photos.at(std::size_t(i)).templatePath, templateAnchor(paths)));
        if (const auto& crop = model.photos.at(std::size_t(i)).manualCrop)
            photo.insert(QLatin1String("manualCrop"), cropToJson(*crop));
        if (const auto& style = model.photos.at(std::size_t(i)).stagedCrop)
            photo.insert(QLatin1String("cropStyle"), cropStylesToJson(*style));
        photos[i] = photo;
    }
    QJsonObject document{
        {"format", kFormatName},
        {"version", kProjectFormatVersion},
        {"settings", settingsToJson(model.settings)},
        {"templateInstanceCount", fieldToInt(model.templateInstanceCount, "templateInstanceCount")},
        {"bindingKeySerial", double(model.bindingKeySerial)},
        {"photos", photos},
        {"music",
         tableToJson(model.music, musicFields(), {{"location", &MusicEntry::location}}, media)},
        {"lyrics",
         tableToJson(model.lyrics, lyricFields(), {{"location", &LyricEntry::location}}, media)},
        {"karaoke", tableToJson(model.karaoke, karaokeFields(),
                                {{"location", &KaraokeEntry::location}}, media)},
        {"textEffects", tableToJson(model.textEffects, textEffectFields(), {}, media)},
        {"pictureEffects", tableToJson(model.pictureEffects, pictureEffectFields(),
                                       {{"decoration", &PictureEffect::decoration}}, media)},
    };
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

Result<ProjectModel> projectFromJson(const QByteArray& bytes, const ProjectPaths& paths) {
    const QString name = QDir::toNativeSeparators(paths.projectFile);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return fail(QStringLiteral("The project file %1 is damaged or incomplete (%2 at byte %3); "
                                   "nothing was opened.")
                        .arg(name, error.errorString())
                        .arg(error.offset));
    if (!document.isObject())
        return fail(QStringLiteral("The project file %1 is not an Orvane project; nothing was "
                                   "opened.")
                        .arg(name));
    auto model = parseDocument(document.object(), paths);
    if (!model)
        return fail(QStringLiteral("The project file %1 cannot be opened: %2; nothing was "
                                   "opened.")
                        .arg(name, model.error().message));
    return model;
}

Result<void> saveProjectFile(const ProjectModel& model, const ProjectPaths& paths) {
    const QByteArray json = projectToJson(model, paths);
    return writeWholeFile(toPath(paths.projectFile), Bytes(json.begin(), json.end()));
}

Result<ProjectModel> readProjectFile(const ProjectPaths& paths) {
    auto bytes = readWholeFile(toPath(paths.projectFile));
    if (!bytes) return std::unexpected(bytes.error());
    return projectFromJson(
        QByteArray(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size())), paths);
}

}  // namespace orvane
