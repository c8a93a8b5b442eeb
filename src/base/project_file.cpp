#include "base/project_file.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "base/file_io.h"
#include "base/working_folder.h"

namespace orvane {

namespace {

const QString kFormatName = QStringLiteral("orvane-project");

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

// The fields of a row; `pathFields` are stored relative to `anchor`.
template <typename Row>
QJsonObject rowToJson(const Row& row, std::span<const FieldDef<Row>> fields,
                      std::initializer_list<QString Row::*> pathFields, const QString& anchor) {
    QJsonObject object;
    for (const auto& f : fields) {
        if (f.name == std::string_view("index")) continue;  // the position is the index
        QString value = row.*(f.member);
        for (auto member : pathFields)
            if (member == f.member) value = storedPath(value, anchor);
        object.insert(QLatin1String(f.name), value);
    }
    return object;
}

template <typename Row>
QJsonArray tableToJson(const Table<Row>& table, std::span<const FieldDef<Row>> fields,
                       std::initializer_list<QString Row::*> pathFields, const QString& anchor) {
    QJsonArray array;
    for (const Row& row : table) array.append(rowToJson(row, fields, pathFields, anchor));
    return array;
}

template <typename Row>
Result<Table<Row>> tableFromJson(const QJsonObject& document, const char* key,
                                 std::span<const FieldDef<Row>> fields,
                                 std::initializer_list<QString Row::*> pathFields,
                                 const QString& anchor) {
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
            if (!field.isString())
                return fail(QStringLiteral("field \"%1\" of row %2 of \"%3\" is not text")
                                .arg(QLatin1String(f.name))
                                .arg(i + 1)
                                .arg(key));
            QString text = field.toString();
            for (auto member : pathFields)
                if (member == f.member) text = absolutePath(text, anchor);
            row.*(f.member) = text;
        }
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

// The crop styles as stored, in the settings and with each photo.
QString landscapeCropKeyword(LandscapeCrop crop) {
    return crop == LandscapeCrop::FullScreen ? QStringLiteral("fullScreen")
                                             : QStringLiteral("templateDefault");
}

QString portraitCropKeyword(PortraitCrop crop) {
    return crop == PortraitCrop::ZoomedPart ? QStringLiteral("zoomedPart")
                                            : QStringLiteral("templateDefault");
}

QJsonObject cropStylesToJson(const CropStyles& crop) {
    return {{"landscape", landscapeCropKeyword(crop.landscape)},
            {"portrait", portraitCropKeyword(crop.portrait)}};
}

Result<CropStyles> cropStylesFromJson(const QJsonValue& value, const QString& photo) {
    const QJsonObject object = value.toObject();
    const QString landscape = object.value(QLatin1String("landscape")).toString();
    const QString portrait = object.value(QLatin1String("portrait")).toString();
    CropStyles crop;
    bool known = value.isObject();
    if (landscape == landscapeCropKeyword(LandscapeCrop::TemplateDefault))
        crop.landscape = LandscapeCrop::TemplateDefault;
    else
        known = known && landscape == landscapeCropKeyword(LandscapeCrop::FullScreen);
    if (portrait == portraitCropKeyword(PortraitCrop::TemplateDefault))
        crop.portrait = PortraitCrop::TemplateDefault;
    else
        known = known && portrait == portraitCropKeyword(PortraitCrop::ZoomedPart);
    if (!known) return fail(QStringLiteral("the crop style of photo %1 is damaged").arg(photo));
    return crop;
}

QJsonObject settingsToJson(const AlbumSettings& s) {
    return {
        {"outputType", s.outputType},
        {"tvSystem", s.tvSystem},
        {"quality", s.quality},
        {"syncMode", s.syncMode},
        {"outputWidth", s.outputWidth},
        {"outputHeight", s.outputHeight},
        {"lyricKind", s.lyricKind},
        {"thumbWidth", s.thumbWidth},
        {"thumbHeight", s.thumbHeight},
        {"landscapeCrop", landscapeCropKeyword(s.landscapeCrop)},
        {"portraitCrop", portraitCropKeyword(s.portraitCrop)},
        {"loopMusicToFill", s.loopMusicToFill},
        {"loopPicturesToFill", s.loopPicturesToFill},
        {"imageSequenceFormat", s.imageSequenceFormat},
        {"karaokeRowALeft", s.karaokeRowALeft},
        {"karaokeRowATop", s.karaokeRowATop},
        {"karaokeRowBTop", s.karaokeRowBTop},
    };
}

Result<AlbumSettings> settingsFromJson(const QJsonValue& value) {
    if (!value.isObject()) return fail(QStringLiteral("the album settings are missing"));
    const QJsonObject o = value.toObject();
    AlbumSettings s;
    const std::pair<const char*, QString AlbumSettings::*> texts[] = {
        {"outputType", &AlbumSettings::outputType},
        {"tvSystem", &AlbumSettings::tvSystem},
        {"quality", &AlbumSettings::quality},
        {"syncMode", &AlbumSettings::syncMode},
        {"outputWidth", &AlbumSettings::outputWidth},
        {"outputHeight", &AlbumSettings::outputHeight},
        {"lyricKind", &AlbumSettings::lyricKind},
        {"thumbWidth", &AlbumSettings::thumbWidth},
        {"thumbHeight", &AlbumSettings::thumbHeight},
        {"imageSequenceFormat", &AlbumSettings::imageSequenceFormat},
    };
    for (const auto& [name, member] : texts) {
        const QJsonValue field = o.value(QLatin1String(name));
        if (field.isUndefined()) continue;
        if (!field.isString())
            return fail(QStringLiteral("the setting \"%1\" is not text").arg(name));
        s.*member = field.toString();
    }
    bool numbers = true;
    s.outputWidth.toInt(&numbers);
    if (numbers) s.outputHeight.toInt(&numbers);
    if (!numbers) return fail(QStringLiteral("the output size is not a number"));
    s.landscapeCrop = o.value(QLatin1String("landscapeCrop")).toString() ==
                              landscapeCropKeyword(LandscapeCrop::TemplateDefault)
                          ? LandscapeCrop::TemplateDefault
                          : LandscapeCrop::FullScreen;
    s.portraitCrop = o.value(QLatin1String("portraitCrop")).toString() ==
                             portraitCropKeyword(PortraitCrop::TemplateDefault)
                         ? PortraitCrop::TemplateDefault
                         : PortraitCrop::ZoomedPart;
    s.loopMusicToFill = o.value(QLatin1String("loopMusicToFill")).toBool();
    s.loopPicturesToFill = o.value(QLatin1String("loopPicturesToFill")).toBool();
    // Karaoke rows on the 1920 × 1080 frame; a file from before they were
    // saved keeps the defaults.
    const std::pair<const char*, int AlbumSettings::*> rows[] = {
        {"karaokeRowALeft", &AlbumSettings::karaokeRowALeft},
        {"karaokeRowATop", &AlbumSettings::karaokeRowATop},
        {"karaokeRowBTop", &AlbumSettings::karaokeRowBTop},
    };
    for (const auto& [name, member] : rows) {
        const QJsonValue field = o.value(QLatin1String(name));
        if (field.isUndefined()) continue;
        const double value = field.toDouble(-1);
        if (!field.isDouble() || value < 0 || value > 1920)
            return fail(QStringLiteral("the setting \"%1\" is not a place on the frame").arg(name));
        s.*member = int(value);
    }
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
    auto settings = settingsFromJson(document.value(QLatin1String("settings")));
    if (!settings) return std::unexpected(settings.error());
    model.settings = *settings;

    auto photos = tableFromJson<PhotoEntry>(document, "photos", photoFields(),
                                            {&PhotoEntry::location}, media);
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
    auto music =
        tableFromJson<MusicEntry>(document, "music", musicFields(), {&MusicEntry::location}, media);
    if (!music) return std::unexpected(music.error());
    model.music = std::move(*music);
    auto lyrics = tableFromJson<LyricEntry>(document, "lyrics", lyricFields(),
                                            {&LyricEntry::location}, media);
    if (!lyrics) return std::unexpected(lyrics.error());
    model.lyrics = std::move(*lyrics);
    auto karaoke = tableFromJson<KaraokeEntry>(document, "karaoke", karaokeFields(),
                                               {&KaraokeEntry::location}, media);
    if (!karaoke) return std::unexpected(karaoke.error());
    model.karaoke = std::move(*karaoke);
    auto texts = tableFromJson<TextEffect>(document, "textEffects", textEffectFields(), {}, media);
    if (!texts) return std::unexpected(texts.error());
    model.textEffects = std::move(*texts);
    auto pictures = tableFromJson<PictureEffect>(document, "pictureEffects", pictureEffectFields(),
                                                 {&PictureEffect::decoration}, media);
    if (!pictures) return std::unexpected(pictures.error());
    model.pictureEffects = std::move(*pictures);

    const QJsonValue instances = document.value(QLatin1String("templateInstanceCount"));
    if (!instances.isDouble())
        return fail(QStringLiteral("the template instance count is missing"));
    model.templateInstanceCount = QString::number(instances.toInt());
    model.bindingKeySerial =
        static_cast<std::uint64_t>(document.value(QLatin1String("bindingKeySerial")).toDouble());
    return model;
}

}  // namespace

QByteArray projectToJson(const ProjectModel& model, const ProjectPaths& paths) {
    const QString media = mediaAnchor(paths);
    QJsonArray photos = tableToJson(model.photos, photoFields(), {&PhotoEntry::location}, media);
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
        {"music", tableToJson(model.music, musicFields(), {&MusicEntry::location}, media)},
        {"lyrics", tableToJson(model.lyrics, lyricFields(), {&LyricEntry::location}, media)},
        {"karaoke", tableToJson(model.karaoke, karaokeFields(), {&KaraokeEntry::location}, media)},
        {"textEffects", tableToJson(model.textEffects, textEffectFields(), {}, media)},
        {"pictureEffects", tableToJson(model.pictureEffects, pictureEffectFields(),
                                       {&PictureEffect::decoration}, media)},
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
