// Names in the city database are one byte per character. We write Windows-1252, the code page
// of Western European names, and the reader widens bytes 0x80-0x9F through the same table
// (0xA0-0xFF are the Latin-1 code points themselves). Names that need characters outside it
// fall back to an ASCII transliteration.

const CP1252_HIGH = [
  0x20ac, 0x0081, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008d, 0x017d, 0x008f,
  0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x009d, 0x017e, 0x0178,
];

const UNICODE_TO_BYTE = new Map();
for (let b = 0; b < 0x80; ++b) UNICODE_TO_BYTE.set(b, b);
CP1252_HIGH.forEach((cp, i) => UNICODE_TO_BYTE.set(cp, 0x80 + i));
for (let b = 0xa0; b <= 0xff; ++b) UNICODE_TO_BYTE.set(b, b);

export const MAX_NAME_CHARS = 49;

// Bytes of `text` in Windows-1252, or null when a character has no byte there. Control
// characters are refused too: a name never carries them.
export function encodeCp1252(text) {
  const out = [];
  for (const ch of text.normalize('NFC')) {
    const cp = ch.codePointAt(0);
    if (cp < 0x20 || (cp >= 0x7f && cp < 0xa0 && !CP1252_HIGH.includes(cp))) return null;
    const b = UNICODE_TO_BYTE.get(cp);
    if (b === undefined) return null;
    out.push(b);
  }
  return Buffer.from(out);
}

// Plain ASCII: accents dropped, anything else replaced by its nearest readable form or removed.
export function transliterate(text) {
  const stripped = text.normalize('NFD').replace(/\p{M}/gu, '')
    .replace(/[ʻʼ`´‘’]/g, "'").replace(/[‐-―]/g, '-')
    .replace(/ß/g, 'ss').replace(/[Łł]/g, (c) => (c === 'Ł' ? 'L' : 'l'))
    .replace(/[Đđ]/g, (c) => (c === 'Đ' ? 'D' : 'd')).replace(/[Øø]/g, (c) => (c === 'Ø' ? 'O' : 'o'))
    .replace(/[Ææ]/g, (c) => (c === 'Æ' ? 'AE' : 'ae')).replace(/[ıİ]/g, (c) => (c === 'ı' ? 'i' : 'I'));
  return stripped.replace(/[^\x20-\x7e]/g, '').replace(/\s+/g, ' ').trim();
}

// The bytes we store for a name: Windows-1252 when it fits, else the given ASCII form (or our
// own transliteration), cut to the 49 characters a reader keeps.
export function nameBytes(name, asciiName = '') {
  let bytes = encodeCp1252(name.trim());
  if (!bytes || bytes.length === 0) bytes = Buffer.from(asciiName.trim() || transliterate(name), 'latin1');
  return bytes.length > MAX_NAME_CHARS ? bytes.subarray(0, MAX_NAME_CHARS) : bytes;
}

// The text a reader sees for stored bytes, for messages and sorting.
export function decodeCp1252(bytes) {
  let s = '';
  for (const b of bytes) s += String.fromCodePoint(b >= 0x80 && b < 0xa0 ? CP1252_HIGH[b - 0x80] : b);
  return s;
}
