// Writes TimeCitiesDB.dat: header, country table, region table, time-zone table, ZIP index,
// then the city lists. All integers little-endian; names are length-prefixed byte strings.

class ByteSink {
  constructor() { this.chunks = []; this.length = 0; }
  bytes(b) { this.chunks.push(Buffer.from(b)); this.length += b.length; }
  u8(v) { const b = Buffer.alloc(1); b.writeUInt8(v); this.bytes(b); }
  u16(v) { const b = Buffer.alloc(2); b.writeUInt16LE(v); this.bytes(b); }
  u32(v) { const b = Buffer.alloc(4); b.writeUInt32LE(v >>> 0); this.bytes(b); }
  s32(v) { const b = Buffer.alloc(4); b.writeInt32LE(v); this.bytes(b); }
  shortString(b) {
    if (b.length > 255) throw new Error('short string over 255 bytes');
    this.u8(b.length);
    this.bytes(b);
  }
  buffer() { return Buffer.concat(this.chunks); }
}

const HEADER_SIZE = 28;

function check(cond, what) { if (!cond) throw new Error(what); }

function writeCityList(sink, cities) {
  for (const c of cities) {
    check(c.key > 0 && c.key <= 0xffff, 'city key out of range');
    sink.u16(c.key);
    sink.shortString(c.nameBytes);
    sink.bytes(Buffer.alloc(16));
    sink.s32(c.latMinutes);
    sink.s32(c.lonMinutes);
    sink.u8(c.zoneIndex);
    sink.u32(c.flags);
  }
}

// countries: [{ nameBytes, regions: [{ nameBytes, cities }], cities }] in table order, ids 1..n.
// zones: [{ nameBytes, rules (172 bytes) }]. zips: [{ zip, countryIndex, regionIndex, key }].
export function buildDatabase({ countries, zones, zips }) {
  const regions = countries.flatMap((c) => c.regions);
  check(countries.length <= 255, 'more than 255 countries');
  check(regions.length <= 255, 'more than 255 regions');
  check(zones.length <= 255, 'more than 255 time zones');
  check(zips.length <= 0xffff, 'more than 65535 ZIP entries');

  // City lists first, into their own buffer, so the tables can name absolute offsets.
  const lists = new ByteSink();
  const place = (cities) => {
    if (!cities.length) return 0;
    const at = lists.length;
    writeCityList(lists, cities);
    return at;
  };
  const countryLists = countries.map((c) => place(c.cities));
  const regionLists = regions.map((r) => place(r.cities));

  const countryTable = new ByteSink();
  const regionTable = new ByteSink();
  const zoneTable = new ByteSink();
  const zipTable = new ByteSink();
  const tablesSize = () => countryTable.length + regionTable.length + zoneTable.length + zipTable.length;

  // Sizes do not depend on the offsets, so lay out once with relative list offsets, then again.
  const layout = (listsBase) => {
    for (const t of [countryTable, regionTable, zoneTable, zipTable]) { t.chunks = []; t.length = 0; }
    const abs = (rel, cities) => (cities.length ? listsBase + rel : 0);
    countryTable.u8(countries.length);
    countries.forEach((c, i) => {
      countryTable.u8(i + 1);
      countryTable.shortString(c.nameBytes);
      countryTable.u8(0);
      countryTable.u16(c.regions.length);
      countryTable.u16(c.cities.length);
      countryTable.u32(0);
      countryTable.u32(abs(countryLists[i], c.cities));
    });
    regionTable.u8(regions.length);
    regions.forEach((r, i) => {
      regionTable.u8(i + 1);
      regionTable.shortString(r.nameBytes);
      regionTable.u8(0);
      regionTable.u16(r.cities.length);
      regionTable.u32(abs(regionLists[i], r.cities));
    });
    zoneTable.u8(zones.length);
    zones.forEach((z, i) => {
      check(z.rules.length === 172, 'rules must be 172 bytes');
      zoneTable.u8(i + 1);
      zoneTable.shortString(z.nameBytes);
      zoneTable.bytes(z.rules);
    });
    zipTable.u16(zips.length);
    for (const z of zips) {
      check(z.zip < 1 << 17 && z.regionIndex < 1 << 6 && z.countryIndex < 1 << 9, 'ZIP key field out of range');
      zipTable.u32(z.zip | (z.regionIndex << 17) | (z.countryIndex << 23));
      zipTable.u16(z.key);
    }
  };
  layout(0);
  const listsBase = HEADER_SIZE + tablesSize();
  layout(listsBase);

  const header = Buffer.alloc(HEADER_SIZE);
  header.write('ZUNC', 0, 'latin1');
  header.writeUInt32LE(0x00020000, 4);
  let at = HEADER_SIZE;
  header.writeUInt32LE(at, 8); at += countryTable.length;
  header.writeUInt32LE(at, 12); at += regionTable.length;
  const zoneAt = at; at += zoneTable.length;
  header.writeUInt32LE(at, 16);
  header.writeUInt32LE(zoneAt, 20);
  header.writeUInt32LE(0, 24);
  return Buffer.concat([header, countryTable.buffer(), regionTable.buffer(), zoneTable.buffer(), zipTable.buffer(), lists.buffer()]);
}
