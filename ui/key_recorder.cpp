#include "ui/key_recorder.h"

#include <cstdint>

namespace vorn {
namespace {

constexpr BYTE kTab = 0x09;
constexpr BYTE kBackspace = 0x08;
// Windows keeps Print Screen's press for itself and hands the box only its
// release, when nothing catches the keys before it.
constexpr BYTE kPrintScreen = 0x2C;
constexpr BYTE kInsert = 0x2D;
constexpr BYTE kCapsLock = 0x14;
// KBDLLHOOKSTRUCT's flags: a release; typed by a program (at any integrity
// level, or at a lower one than ours).
constexpr DWORD kUpFlag = 0x80;
constexpr DWORD kInjectedFlags = 0x10 | 0x02;

}  // namespace

RecorderResult CKeyRecorder::KeyDown(BYTE key)
{
    if (const BYTE modifier = ModifierOfKey(key)) {
        if (held_ & modifier) return RecorderResult::None;  // the keyboard's repeat
        // The first modifier down begins a new combination, whatever key
        // went down alone before it (F10, then Alt alone: "Alt").
        if (!held_) {
            pressed_ = 0;
            keyInChord_ = false;
        }
        held_ = static_cast<BYTE>(held_ | modifier);
        pressed_ = static_cast<BYTE>(pressed_ | modifier);
        return keyInChord_ ? RecorderResult::None : RecorderResult::Changed;
    }
    const bool repeat = down_[key];
    down_[key] = true;
    if (key == kTab && (held_ == 0 || held_ == kShiftModifier)) {
        keyInChord_ = true;
        if (repeat) return RecorderResult::None;
        return held_ ? RecorderResult::PreviousControl : RecorderResult::NextControl;
    }
    keyInChord_ = true;
    const KeyCombination before = keys_;
    keys_ = key == kBackspace && held_ == 0 ? KeyCombination{} : KeyCombination{held_, key};
    return repeat && keys_ == before ? RecorderResult::None : RecorderResult::Changed;
}

RecorderResult CKeyRecorder::KeyUp(BYTE key)
{
    if (const BYTE modifier = ModifierOfKey(key)) {
        if (!(held_ & modifier)) return RecorderResult::None;
        held_ = static_cast<BYTE>(held_ & ~modifier);
        if (held_) return keyInChord_ ? RecorderResult::None : RecorderResult::Changed;
        // All up with no key between: the modifiers alone are the combination.
        if (!keyInChord_) keys_ = KeyCombination{pressed_, 0};
        pressed_ = 0;
        keyInChord_ = false;
        return RecorderResult::Changed;
    }
    const bool wasDown = down_[key];
    down_[key] = false;
    if (wasDown || key != kPrintScreen) return RecorderResult::None;
    keyInChord_ = held_ != 0;
    keys_ = KeyCombination{held_, key};
    return RecorderResult::Changed;
}

void CKeyRecorder::Forget()
{
    held_ = 0;
    pressed_ = 0;
    keyInChord_ = false;
    down_.reset();
}

void CKeyRecorder::SetKeys(const KeyCombination& keys)
{
    Forget();
    keys_ = keys;
}

std::wstring CKeyRecorder::Text() const
{
    if (held_ && !keyInChord_) return ModifiersDisplayPrefix(held_);
    return KeyCombinationDisplayText(keys_);
}

bool CKeyHookFilter::Keep(BYTE key, DWORD flags)
{
    if (flags & kInjectedFlags) return false;
    if (flags & kUpFlag) {
        reader_[key] = false;
        passed_[key] = false;
        const bool kept = kept_[key];
        kept_[key] = false;
        return kept;
    }
    if (kept_[key]) return true;     // the keyboard's repeat
    if (passed_[key]) return false;  // the same
    if (reader_.any() || ((key == kInsert || key == kCapsLock) && kept_.none())) {
        if (key == kInsert || key == kCapsLock) reader_[key] = true;
        passed_[key] = true;
        return false;
    }
    kept_[key] = true;
    return true;
}

bool CameAfterHook(DWORD messageTime, DWORD lastHookTime)
{
    return static_cast<std::int32_t>(messageTime - lastHookTime) > 0;
}

}  // namespace vorn
