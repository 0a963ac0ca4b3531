#include "core/line_read_ahead.h"

namespace kinfold {

void LineReadAhead::Start() {
    Stop();
    batches_.reset(new LineBatch[kBatches]);
    filled_ = taken_ = released_ = 0;
    stopping_ = readerWaiting_ = loaderWaiting_ = false;
    ended_ = false;
    ahead_ = thread_.Start([this] { ReadAhead(); });
}

const LineBatch* LineReadAhead::Next() {
    if (ended_) return nullptr;
    LineBatch* batch = nullptr;
    if (!ahead_) {
        batch = &batches_[0];
        Fill(*batch);
    } else {
        MonitorLock lock(monitor_);
        // The batch taken last is done with: the reader may fill it again.
        released_ = taken_;
        if (readerWaiting_ && filled_ - released_ <= kBatches / 2) monitor_.NotifyAll();
        while (filled_ == taken_) {
            loaderWaiting_ = true;
            monitor_.Wait();
        }
        loaderWaiting_ = false;
        batch = &batches_[taken_++ % kBatches];
    }
    ended_ = batch->last;
    if (batch->failure) std::rethrow_exception(batch->failure);
    return batch;
}

void LineReadAhead::Stop() {
    if (ahead_) {
        {
            MonitorLock lock(monitor_);
            stopping_ = true;
            monitor_.NotifyAll();
        }
        thread_.Join();
        ahead_ = false;
    }
    ended_ = true;
}

// The reader's side: fills batches in turn, each once the loader has handed
// it back, until the file ends or the loader stops it. Each side wakes the
// other only when it sleeps, and the reader only once half of the batches
// are free: waking costs a system call on both sides.
void LineReadAhead::ReadAhead() {
    for (size_t index = 0;; ++index) {
        {
            // Once every batch is full, the reader sleeps until half of them
            // are back, so that the two sides wake each other rarely.
            MonitorLock lock(monitor_);
            if (index - released_ >= kBatches) {
                while (!stopping_ && index - released_ > kBatches / 2) {
                    readerWaiting_ = true;
                    monitor_.Wait();
                }
                readerWaiting_ = false;
            }
            if (stopping_) return;
        }
        LineBatch& batch = batches_[index % kBatches];
        Fill(batch);
        MonitorLock lock(monitor_);
        filled_ = index + 1;
        if (loaderWaiting_) monitor_.NotifyAll();
        if (batch.last) return;
    }
}

// The line is parsed with no tag and no ID to start from, so a line that
// still has neither after a parse held an empty first field.
void LineReadAhead::Fill(LineBatch& batch) {
    batch.count = 0;
    batch.texts.clear();
    batch.last = false;
    batch.failure = nullptr;
    size_t stored = 0;
    try {
        while (batch.count < LineBatch::kCapacity) {
            line_.ClearId();
            line_.ClearTag();
            LineKind kind = LineKind::Blank;
            if (!reader_.ReadLine(line_, &kind)) {
                batch.last = true;
                return;
            }
            ReadLineNote& note = batch.notes[batch.count++];
            note.cut = reader_.LastLineCut();
            note.level = line_.Level();
            note.position = reader_.LastLinePosition();
            note.offset = 0;
            note.textLength = 0;
            if (kind == LineKind::Content && line_.Id().empty() && line_.Tag().empty()) {
                note.kind = ReadLineKind::LevelOnly;
            } else if (kind == LineKind::Content) {
                note.kind = ReadLineKind::Parsed;
                note.offset = static_cast<uint32_t>(stored);
                stored += line_.StoreTo(batch.bytes + stored);
            } else if (kind == LineKind::Blank) {
                note.kind = ReadLineKind::Blank;
            } else {
                note.kind = ReadLineKind::NoLevel;
                note.offset = static_cast<uint32_t>(batch.texts.size());
                note.textLength = static_cast<uint32_t>(reader_.LastLineText().size());
                batch.texts.append(reader_.LastLineText());
            }
        }
    } catch (...) {
        batch.failure = std::current_exception();
        batch.last = true;
    }
}

}  // namespace kinfold
