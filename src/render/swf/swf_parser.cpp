#include "render/swf/swf_parser.h"

#include <functional>
#include <unordered_set>

#include "render/swf/bitmap_decoder.h"
#include "render/swf/byte_reader.h"
#include "render/swf/shape_parser.h"
#include "render/swf/swf_player.h"
#include "templates/package.h"

namespace orvane::swf {

namespace {

enum TagCode {
    kEnd = 0,
    kShowFrame = 1,
    kDefineShape = 2,
    kPlaceObject = 4,
    kRemoveObject = 5,
    kSetBackgroundColor = 9,
    kDoAction = 12,
    kDefineBitsLossless = 20,
    kDefineBitsJpeg2 = 21,
    kDefineShape2 = 22,
    kPlaceObject2 = 26,
    kRemoveObject2 = 28,
    kDefineShape3 = 32,
    kDefineBitsJpeg3 = 35,
    kDefineBitsLossless2 = 36,
    kDefineSprite = 39,
    kFrameLabel = 43,
    kFileAttributes = 69,
    kPlaceObject3 = 70,
    kDefineShape4 = 83,
};

struct TagHeader {
    int code;
    std::size_t length;
};

TagHeader readTagHeader(ByteReader& in) {
    const int codeAndLength = in.u16();
    TagHeader h{codeAndLength >> 6, std::size_t(codeAndLength & 0x3F)};
    if (h.length == 0x3F) h.length = in.u32();
    if (h.length > in.remaining()) throw ReadError("a tag runs past the end of the file");
    return h;
}

PlaceObject readPlaceObject2(ByteReader& in, int version, bool isPlace3) {
    PlaceObject p;
    const int flags = in.u8();
    int flags2 = 0;
    if (isPlace3) flags2 = in.u8();
    p.depth = in.u16();
    if (isPlace3 && ((flags2 & 0x08) || ((flags2 & 0x10) && (flags & 0x02))))
        in.string(version);  // class name
    p.move = flags & 0x01;
    if (flags & 0x02) p.characterId = in.u16();
    if (flags & 0x04) p.matrix = in.matrix();
    if (flags & 0x08) p.colorTransform = in.colorTransform(true);
    if (flags & 0x10) p.ratio = in.u16();
    if (flags & 0x20) p.name = in.string(version);
    if (flags & 0x40) p.clipDepth = in.u16();
    // Filters, blend modes and clip actions follow; templates use none of them.
    return p;
}

PlaceObject readPlaceObject1(ByteReader& in, std::size_t end) {
    PlaceObject p;
    p.characterId = in.u16();
    p.depth = in.u16();
    p.matrix = in.matrix();
    if (in.position() < end) p.colorTransform = in.colorTransform(false);
    return p;
}

class Parser {
   public:
    Parser(Movie& movie) : m_movie(movie) {}

    // Reads tags until End or the end of the data into `timeline`.
    void readTimeline(ByteReader& in, Timeline& timeline, int declaredFrames, bool inSprite) {
        declaredFrames = std::max(declaredFrames, 1);
        Frame pending;
        std::vector<Frame> frames;
        while (!in.atEnd()) {
            const TagHeader tag = readTagHeader(in);
            const std::size_t start = in.position();
            const std::size_t end = start + tag.length;
            auto body = [&] {
                return std::span<const std::uint8_t>(m_data).subspan(start, tag.length);
            };
            if (tag.code == kEnd) break;
            ByteReader tagIn(body());
            switch (tag.code) {
                case kShowFrame:
                    frames.push_back(std::move(pending));
                    pending = Frame{};
                    break;
                case kPlaceObject:
                    pending.tags.push_back(readPlaceObject1(tagIn, tag.length));
                    break;
                case kPlaceObject2:
                case kPlaceObject3: {
                    PlaceObject p =
                        readPlaceObject2(tagIn, m_movie.version, tag.code == kPlaceObject3);
                    if (!p.move && !p.characterId) break;  // neither: invalid, ignored
                    pending.tags.push_back(std::move(p));
                    break;
                }
                case kRemoveObject:
                    tagIn.u16();
                    pending.tags.push_back(RemoveObject{tagIn.u16()});
                    break;
                case kRemoveObject2:
                    pending.tags.push_back(RemoveObject{tagIn.u16()});
                    break;
                case kDoAction:
                    pending.tags.push_back(
                        DoAction{std::make_shared<const Bytes>(body().begin(), body().end())});
                    break;
                case kFrameLabel:
                    pending.label = tagIn.string(m_movie.version);
                    break;
                default:
                    if (!inSprite) readDefinition(tag.code, tagIn, body());
                    break;
            }
            in.seek(end);
            if (frames.size() >= std::size_t(declaredFrames)) break;
        }
        if (!pending.tags.empty() && frames.size() < std::size_t(declaredFrames))
            frames.push_back(std::move(pending));
        timeline.frames = std::move(frames);
        timeline.frameCount = declaredFrames;
    }

    void setData(std::span<const std::uint8_t> data) { m_data = data; }

    void checkNesting() {
        std::unordered_map<std::uint16_t, int> depthOf;
        std::unordered_set<std::uint16_t> visiting;
        std::function<int(std::uint16_t)> depth = [&](std::uint16_t id) -> int {
            auto known = depthOf.find(id);
            if (known != depthOf.end()) return known->second;
            const auto* sprite = std::get_if<Sprite>(m_movie.character(id));
            if (!sprite) return 0;
            if (!visiting.insert(id).second) throw ReadError("sprites contain each other");
            int deepest = 0;
            for (const Frame& frame : sprite->timeline.frames) {
                for (const ControlTag& tag : frame.tags) {
                    if (const auto* p = std::get_if<PlaceObject>(&tag); p && p->characterId) {
                        deepest = std::max(deepest, depth(*p->characterId));
                        if (deepest >= kMaxNesting)
                            throw ReadError("sprites are nested too deeply");
                    }
                }
            }
            visiting.erase(id);
            return depthOf[id] = deepest + 1;
        };
        for (const auto& [id, character] : m_movie.dictionary) depth(id);
        checkPlacedWork();
    }

    // What the timelines place, counted from the file before anything plays:
    // the clips alive at once (one per depth of each timeline, nested sprites
    // multiplied out) must stay within the player's instance cap, and every
    // mask within kMaxMaskShapes shapes (each frame intersects them all).
    // Runs after checkNesting, so the sprites form no cycle.
    void checkPlacedWork() {
        static constexpr std::int64_t kSaturated = std::int64_t{1} << 40;
        std::unordered_map<std::uint16_t, std::int64_t> clipsOf, shapesOf;
        // Most of `count(child)` a timeline holds at once: the largest at each depth.
        auto perDepth = [](const Timeline& timeline, auto&& count) {
            std::unordered_map<int, std::int64_t> largest;
            for (const Frame& frame : timeline.frames)
                for (const ControlTag& tag : frame.tags)
                    if (const auto* p = std::get_if<PlaceObject>(&tag); p && p->characterId) {
                        auto& at = largest[p->depth];
                        at = std::max(at, count(*p->characterId));
                    }
            std::int64_t total = 0;
            for (const auto& [depth, n] : largest) total = std::min(kSaturated, total + n);
            return total;
        };
        std::function<std::int64_t(std::uint16_t)> clips = [&](std::uint16_t id) {
            if (auto known = clipsOf.find(id); known != clipsOf.end()) return known->second;
            const auto* sprite = std::get_if<Sprite>(m_movie.character(id));
            const std::int64_t n = 1 + (sprite ? perDepth(sprite->timeline, clips) : 0);
            return clipsOf[id] = std::min(n, kSaturated);
        };
        std::function<std::int64_t(std::uint16_t)> shapes = [&](std::uint16_t id) {
            if (auto known = shapesOf.find(id); known != shapesOf.end()) return known->second;
            const Character* c = m_movie.character(id);
            std::int64_t n = c && std::holds_alternative<Shape>(*c) ? 1 : 0;
            if (const auto* sprite = c ? std::get_if<Sprite>(c) : nullptr)
                n = perDepth(sprite->timeline, shapes);
            return shapesOf[id] = n;
        };
        if (perDepth(m_movie.root, clips) > kMaxInstances)
            throw ReadError("its sprites place more than " + std::to_string(kMaxInstances) +
                            " clips at once");
        auto checkMasks = [&](const Timeline& timeline) {
            for (const Frame& frame : timeline.frames)
                for (const ControlTag& tag : frame.tags)
                    if (const auto* p = std::get_if<PlaceObject>(&tag);
                        p && p->characterId && p->clipDepth &&
                        shapes(*p->characterId) > kMaxMaskShapes)
                        throw ReadError("a mask is made of more than " +
                                        std::to_string(kMaxMaskShapes) + " shapes");
        };
        checkMasks(m_movie.root);
        for (const auto& [id, character] : m_movie.dictionary)
            if (const auto* sprite = std::get_if<Sprite>(&character)) checkMasks(sprite->timeline);
    }

    // Adds up the pixels every bitmap of the movie declares, from their
    // headers, and refuses the movie before any bitmap is decoded when they
    // are too many: decoding first would take the memory the bound protects.
    void checkBitmapBudget(ByteReader in) {
        std::int64_t total = 0;
        while (!in.atEnd()) {
            const TagHeader tag = readTagHeader(in);
            if (tag.code == kEnd) break;
            const auto body =
                std::span<const std::uint8_t>(m_data).subspan(in.position(), tag.length);
            if (body.size() > 2) {
                if (tag.code == kDefineBitsJpeg2 || tag.code == kDefineBitsJpeg3)
                    total += declaredJpegPixels(body.subspan(2), tag.code == kDefineBitsJpeg3);
                else if (tag.code == kDefineBitsLossless || tag.code == kDefineBitsLossless2)
                    total += declaredLosslessPixels(body.subspan(2));
            }
            if (total > kMaxTotalBitmapPixels)
                throw ReadError("its bitmaps hold more than " +
                                std::to_string(kMaxTotalBitmapPixels) +
                                " pixels in total (refused before decoding)");
            in.seek(in.position() + tag.length);
        }
    }

   private:
    template <typename T>
    void define(std::uint16_t id, T&& character) {
        m_movie.dictionary.try_emplace(id,
                                       std::forward<T>(character));  // the first definition counts
    }

    void addBitmap(std::uint16_t id, Result<QImage> image) {
        if (!image)
            throw ReadError(
                ("bitmap " + std::to_string(id) + ": " + image.error().message.toStdString()));
        m_bitmapPixels += std::int64_t(image->width()) * image->height();
        if (m_bitmapPixels > kMaxTotalBitmapPixels)
            throw ReadError("the bitmaps are too large in total");
        define(id, Bitmap{*image});
    }

    void readDefinition(int code, ByteReader& in, std::span<const std::uint8_t> body) {
        switch (code) {
            case kSetBackgroundColor:
                if (!m_backgroundSet) m_movie.background = in.rgb();
                m_backgroundSet = true;
                break;
            case kFileAttributes:
                if (in.remaining() >= 1 && (in.u8() & 0x08))
                    throw ReadError("it is an ActionScript 3 movie");
                break;
            case kDefineShape:
            case kDefineShape2:
            case kDefineShape3:
            case kDefineShape4: {
                const std::uint16_t id = in.u16();
                const int shapeVersion = code == kDefineShape    ? 1
                                         : code == kDefineShape2 ? 2
                                         : code == kDefineShape3 ? 3
                                                                 : 4;
                define(id, readShape(in, shapeVersion, m_movie));
                break;
            }
            case kDefineBitsJpeg2: {
                const std::uint16_t id = in.u16();
                addBitmap(id, decodeJpeg2(body.subspan(2), m_movie.version));
                break;
            }
            case kDefineBitsJpeg3: {
                const std::uint16_t id = in.u16();
                addBitmap(id, decodeJpeg3(body.subspan(2), m_movie.version));
                break;
            }
            case kDefineBitsLossless:
            case kDefineBitsLossless2: {
                const std::uint16_t id = in.u16();
                addBitmap(id, decodeLossless(body.subspan(2), code == kDefineBitsLossless2));
                break;
            }
            case kDefineSprite: {
                const std::uint16_t id = in.u16();
                const int frames = in.u16();
                Sprite sprite;
                ByteReader spriteIn(body.subspan(4));
                // Nested tag bodies are read from the same buffer by offset.
                const auto saved = m_data;
                m_data = body.subspan(4);
                readTimeline(spriteIn, sprite.timeline, frames, true);
                m_data = saved;
                define(id, std::move(sprite));
                break;
            }
            default:
                break;  // unknown or unneeded: skipped
        }
    }

    Movie& m_movie;
    std::span<const std::uint8_t> m_data;
    bool m_backgroundSet = false;
    std::int64_t m_bitmapPixels = 0;
};

}  // namespace

int Timeline::frameIndexOfLabel(const QString& label) const {
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].label.compare(label, Qt::CaseInsensitive) == 0) return int(i);
    }
    return -1;
}

ColorTransform ColorTransform::then(const ColorTransform& p) const {
    // Nested transforms multiply; past this bound a channel is saturated
    // whatever the exact figure, so the terms are kept there instead of overflowing.
    constexpr std::int64_t kBound = 1 << 20;
    auto mult = [&](int a, int b) {
        return int(std::clamp(std::int64_t(a) * b / 256, -kBound, kBound));
    };
    auto add = [&](int a, int m, int b) {
        return int(std::clamp(std::int64_t(a) * m / 256 + b, -kBound, kBound));
    };
    ColorTransform r;
    r.multR = mult(multR, p.multR);
    r.multG = mult(multG, p.multG);
    r.multB = mult(multB, p.multB);
    r.multA = mult(multA, p.multA);
    r.addR = add(addR, p.multR, p.addR);
    r.addG = add(addG, p.multG, p.addG);
    r.addB = add(addB, p.multB, p.addB);
    r.addA = add(addA, p.multA, p.addA);
    return r;
}

QColor ColorTransform::apply(const QColor& c) const {
    auto channel = [](int v, int mult, int add) {
        return std::clamp(v * mult / 256 + add, 0, 255);
    };
    return QColor(channel(c.red(), multR, addR), channel(c.green(), multG, addG),
                  channel(c.blue(), multB, addB), channel(c.alpha(), multA, addA));
}

Result<std::shared_ptr<const Movie>> parseMovie(const Bytes& data, const QString& name) {
    auto failWith = [&](const QString& reason) {
        return fail(QStringLiteral("The movie %1 cannot be played: %2.").arg(name, reason));
    };
    if (data.size() < 8) return failWith(QStringLiteral("the file is too short to be a movie"));
    const bool compressed = data[0] == 'C';
    if (!((data[0] == 'F' || data[0] == 'C') && data[1] == 'W' && data[2] == 'S')) {
        if (data[0] == 'Z' && data[1] == 'W' && data[2] == 'S')
            return failWith(QStringLiteral("LZMA-compressed movies are not supported"));
        return failWith(QStringLiteral("it is not a SWF movie"));
    }
    auto movie = std::make_shared<Movie>();
    movie->version = data[3];
    Bytes inflated;
    std::span<const std::uint8_t> body(data.data() + 8, data.size() - 8);
    if (compressed) {
        auto result = inflateBounded(body, std::size_t(kMaxUncompressedBytes));
        if (!result) return failWith(result.error().message);
        inflated = std::move(*result);
        body = inflated;
    }
    try {
        ByteReader in(body);
        movie->stage = in.rect();
        if (movie->stage.width() <= 0 || movie->stage.height() <= 0)
            return failWith(QStringLiteral("the stage has no size"));
        if (movie->stage.width() > kMaxStagePixels * 20.0 ||
            movie->stage.height() > kMaxStagePixels * 20.0)
            return failWith(
                QStringLiteral("the stage is larger than %1 pixels").arg(kMaxStagePixels));
        movie->frameRate = in.u16() / 256.0;
        const int frameCount = in.u16();
        if (frameCount > kMaxFrames)
            return failWith(QStringLiteral("it has more than %1 frames").arg(kMaxFrames));
        Parser parser(*movie);
        parser.setData(body);
        parser.checkBitmapBudget(in);
        parser.readTimeline(in, movie->root, std::max(frameCount, 1), false);
        parser.checkNesting();
    } catch (const ReadError& e) {
        return failWith(QString::fromStdString(e.what()));
    } catch (const std::bad_alloc&) {
        return failWith(QStringLiteral("not enough memory"));
    }
    return std::shared_ptr<const Movie>(std::move(movie));
}

Result<std::shared_ptr<const Movie>> loadMovieFile(const std::filesystem::path& path) {
    const QString name = QString::fromStdString(path.string());
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return fail(QStringLiteral("The movie %1 cannot be read: %2.")
                        .arg(name, QString::fromStdString(ec.message())));
    if (size > std::uint64_t(kMaxUncompressedBytes))
        return fail(
            QStringLiteral("The movie %1 cannot be played: the file is too large.").arg(name));
    auto bytes = readWholeFile(path);
    if (!bytes) return std::unexpected(bytes.error());
    return parseMovie(*bytes, name);
}

}  // namespace orvane::swf
