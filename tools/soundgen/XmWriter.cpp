#include "XmWriter.h"

#include <algorithm>
#include <cstring>

namespace xm {

namespace {

class Out {
public:
    std::vector<uint8_t> bytes;
    void u8(unsigned v) { bytes.push_back(static_cast<uint8_t>(v)); }
    void u16(unsigned v) { u8(v & 0xFF); u8((v >> 8) & 0xFF); }
    void u32(uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); }
    // A fixed-size text field, padded with pad.
    void text(const std::string& s, size_t size, char pad = '\0')
    {
        for (size_t i = 0; i < size; ++i)
            u8(i < s.size() ? static_cast<uint8_t>(s[i]) : static_cast<uint8_t>(pad));
    }
    void zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
};

// Packs one cell: a flag byte with the high bit set says which fields follow.
void packCell(Out& out, const Cell& c)
{
    uint8_t flags = 0x80;
    if (c.note) flags |= 0x01;
    if (c.instrument) flags |= 0x02;
    if (c.volume) flags |= 0x04;
    if (c.effect) flags |= 0x08;
    if (c.param) flags |= 0x10;
    out.u8(flags);
    if (c.note) out.u8(c.note);
    if (c.instrument) out.u8(c.instrument);
    if (c.volume) out.u8(c.volume);
    if (c.effect) out.u8(c.effect);
    if (c.param) out.u8(c.param);
}

} // namespace

std::vector<uint8_t> write(const Module& m)
{
    Out out;
    out.text("Extended Module: ", 17);
    out.text(m.name, 20);
    out.u8(0x1A);
    out.text("bramblecot soundgen", 20);
    out.u16(0x0104);
    out.u32(20 + 256);  // header size from this field on
    out.u16(static_cast<unsigned>(m.orders.size()));
    out.u16(static_cast<unsigned>(m.restart));
    out.u16(static_cast<unsigned>(m.channels));
    out.u16(static_cast<unsigned>(m.patterns.size()));
    out.u16(static_cast<unsigned>(m.instruments.size()));
    out.u16(1);  // linear frequency table
    out.u16(static_cast<unsigned>(m.speed));
    out.u16(static_cast<unsigned>(m.bpm));
    for (size_t i = 0; i < 256; ++i)
        out.u8(i < m.orders.size() ? m.orders[i] : 0);

    for (const Pattern& p : m.patterns) {
        Out data;
        for (const Cell& c : p.cells)
            packCell(data, c);
        out.u32(9);
        out.u8(0);
        out.u16(static_cast<unsigned>(p.rows));
        out.u16(static_cast<unsigned>(data.bytes.size()));
        out.bytes.insert(out.bytes.end(), data.bytes.begin(), data.bytes.end());
    }

    for (const Instrument& ins : m.instruments) {
        out.u32(263);
        out.text(ins.name, 22);
        out.u8(0);
        out.u16(1);       // one sample
        out.u32(40);      // sample header size
        out.zeros(96);    // every note uses sample 0
        size_t points = std::min<size_t>(ins.envelope.size(), 12);
        for (size_t i = 0; i < 12; ++i) {
            out.u16(i < points ? ins.envelope[i].first : 0);
            out.u16(i < points ? ins.envelope[i].second : 0);
        }
        out.zeros(48);    // no panning envelope
        out.u8(static_cast<unsigned>(points));
        out.u8(0);
        out.u8(0);        // sustain point
        out.u8(0);        // loop start
        out.u8(0);        // loop end
        out.u8(0);
        out.u8(0);
        out.u8(0);
        out.u8(points > 0 ? 1 : 0);  // volume envelope on
        out.u8(0);
        out.u8(0);        // vibrato type, sweep, depth, rate
        out.u8(0);
        out.u8(0);
        out.u8(0);
        out.u16(ins.fadeout);
        out.zeros(22);

        // Sample header; lengths are in bytes for 16-bit data.
        out.u32(static_cast<uint32_t>(ins.sample.size() * 2));
        out.u32(ins.loop ? ins.loopStart * 2 : 0);
        out.u32(ins.loop ? ins.loopLength * 2 : 0);
        out.u8(ins.volume);
        out.u8(static_cast<uint8_t>(ins.finetune));
        out.u8((ins.loop ? 1 : 0) | 0x10);
        out.u8(ins.panning);
        out.u8(static_cast<uint8_t>(ins.relativeNote));
        out.u8(0);
        out.text(ins.name, 22);

        // Sample data, delta-coded.
        int16_t previous = 0;
        for (int16_t s : ins.sample) {
            out.u16(static_cast<uint16_t>(static_cast<int16_t>(s - previous)));
            previous = s;
        }
    }
    return out.bytes;
}

} // namespace xm
