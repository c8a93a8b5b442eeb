#include "render/swf/frame_signature.h"

#include <bit>

#include "render/swf/swf_player.h"

namespace orvane::swf {

namespace {

// FNV-1a over 64-bit words: order-sensitive and cheap next to painting.
class Fingerprint {
   public:
    void add(std::uint64_t word) {
        for (int i = 0; i < 8; ++i) {
            m_hash ^= (word >> (8 * i)) & 0xff;
            m_hash *= 0x100000001b3ULL;
        }
    }
    void add(double value) { add(std::bit_cast<std::uint64_t>(value)); }
    void add(const void* pointer) { add(std::uint64_t(reinterpret_cast<std::uintptr_t>(pointer))); }
    void add(int value) { add(std::uint64_t(std::uint32_t(value))); }
    std::uint64_t value() const { return m_hash; }

   private:
    std::uint64_t m_hash = 0xcbf29ce484222325ULL;
};

void addClip(Fingerprint& f, const Clip& clip, int level) {
    if (level > kMaxNesting) return;
    f.add(clip.picture.get());
    f.add(clip.picture ? std::uint64_t(clip.picture->cacheKey()) : 0);
    f.add(int(clip.displayList.size()));
    for (const auto& [depth, o] : clip.displayList) {
        f.add(depth);
        f.add(static_cast<const void*>(o.character));
        const QTransform& m = o.matrix;
        for (double v :
             {m.m11(), m.m12(), m.m13(), m.m21(), m.m22(), m.m23(), m.m31(), m.m32(), m.m33()})
            f.add(v);
        const ColorTransform& c = o.colorTransform;
        for (int v : {c.multR, c.multG, c.multB, c.multA, c.addR, c.addG, c.addB, c.addA}) f.add(v);
        f.add(o.ratio ? *o.ratio : -1);
        f.add(o.clipDepth);
        f.add(static_cast<const void*>(o.clip.get()));
        if (o.clip) addClip(f, *o.clip, level + 1);
    }
}

}  // namespace

std::uint64_t frameSignature(const Player& player) {
    Fingerprint f;
    f.add(static_cast<const void*>(&player.movie()));
    addClip(f, player.root(), 0);
    return f.value();
}

}  // namespace orvane::swf
