// Stepping the display list. Each step first moves the sprites already on
// stage one frame on, then applies the timeline's commands of the new frame;
// a sprite placed in this step starts at its own first frame.
#include "swf_player.h"

namespace flossar {

Player::Player(const Movie& movie)
    : m_movie(movie)
{
    m_root.timeline = &movie.Root();
}

void Player::Reset()
{
    for (auto& [depth, object] : m_root.list)
        Release(object);
    m_root.list.clear();
    m_root.frame = 0;
    m_live = 0;
}

void Player::Release(DisplayObject& object)
{
    if (object.sprite) {
        for (auto& [depth, child] : object.sprite->list)
            Release(child);
        m_live -= std::min(m_live, object.sprite->list.size());
        object.sprite.reset();
    }
}

void Player::GoTo(int frame)
{
    const int count = m_movie.FrameCount();
    if (count <= 0)
        return;
    if (frame < 1)
        frame = 1;
    frame = (frame - 1) % count + 1;
    if (frame <= m_root.frame)
        Reset();
    while (m_root.frame < frame)
        Next();
}

void Player::Next()
{
    if (m_movie.FrameCount() <= 0)
        return;
    if (m_root.frame >= m_movie.FrameCount())
        Reset();
    Advance(m_root, 0);
}

void Player::Advance(SpriteInstance& instance, int nesting)
{
    const auto& frames = instance.timeline->frames;
    if (frames.empty())
        return;
    for (auto& [depth, object] : instance.list)
        if (object.sprite)
            Advance(*object.sprite, nesting + 1);
    if (instance.frame < static_cast<int>(frames.size())) {
        Apply(instance, instance.frame, nesting, false);
        ++instance.frame;
        return;
    }
    // A sprite's timeline comes round again: what its first frame placed
    // stays (and takes that frame's values again), the rest goes.
    for (auto it = instance.list.begin(); it != instance.list.end();) {
        if (it->second.born != 0) {
            Release(it->second);
            m_live -= std::min<size_t>(m_live, 1);
            it = instance.list.erase(it);
        } else {
            ++it;
        }
    }
    if (frames.size() > 1)
        Apply(instance, 0, nesting, true);
    instance.frame = 1;
}

void Player::StartSprite(DisplayObject& object, int nesting)
{
    const Character* c = m_movie.Find(object.charId);
    if (c == nullptr || c->kind != CharKind::Sprite || nesting + 1 >= kMaxNesting)
        return;
    object.sprite = std::make_unique<SpriteInstance>();
    object.sprite->timeline = c->sprite.get();
    Apply(*object.sprite, 0, nesting + 1, false);
    object.sprite->frame = 1;
}

void Player::Apply(SpriteInstance& instance, int frameIndex, int nesting, bool replay)
{
    if (frameIndex < 0 || static_cast<size_t>(frameIndex) >= instance.timeline->frames.size())
        return;
    for (const PlaceCommand& cmd : instance.timeline->frames[static_cast<size_t>(frameIndex)]) {
        auto it = instance.list.find(cmd.depth);
        if (cmd.remove) {
            if (it != instance.list.end()) {
                Release(it->second);
                instance.list.erase(it);
                m_live -= std::min<size_t>(m_live, 1);
            }
            continue;
        }
        const bool exists = it != instance.list.end();
        if (cmd.move && !exists && !cmd.hasChar)
            continue; // nothing to modify (a move with a character places it)
        if (!cmd.move && !cmd.hasChar)
            continue;
        bool fresh = false;
        if (!exists) {
            if (m_live >= kMaxLiveObjects)
                continue;
            ++m_live;
            it = instance.list.emplace(cmd.depth, DisplayObject {}).first;
            fresh = true;
        } else if (!cmd.move && !(replay && it->second.charId == cmd.charId)) {
            // A new placement at an occupied depth replaces the object.
            Release(it->second);
            it->second = DisplayObject {};
            fresh = true;
        }
        DisplayObject& object = it->second;
        if (fresh)
            object.born = frameIndex;
        const bool newChar = cmd.hasChar && (fresh || object.charId != cmd.charId);
        if (cmd.hasChar)
            object.charId = cmd.charId;
        if (cmd.hasMatrix)
            object.matrix = cmd.matrix;
        if (cmd.hasColorTransform)
            object.colorTransform = cmd.colorTransform;
        if (cmd.hasRatio)
            object.ratio = cmd.ratio;
        if (cmd.hasClipDepth)
            object.clipDepth = cmd.clipDepth;
        if (newChar) {
            Release(object);
            StartSprite(object, nesting);
        }
    }
}

} // namespace flossar
