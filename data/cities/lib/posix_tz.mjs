// Time-zone rules from the system's tzdata. A TZif file (version 2 or later) ends with a POSIX
// TZ string that states the rules in force after its last listed transition: the zone's
// current rules, already in the day-in-month form the city database stores.
import fs from 'node:fs';
import path from 'node:path';

export const ZONEINFO = '/usr/share/zoneinfo';

export function tzdataVersion() {
  try {
    const first = fs.readFileSync(path.join(ZONEINFO, 'tzdata.zi'), 'utf8').split('\n', 1)[0];
    const m = /^# version (\S+)/.exec(first);
    return m ? m[1] : 'unknown';
  } catch {
    return 'unknown';
  }
}

// The POSIX TZ string of a zone, or null when the zone file is missing or not TZif v2+.
export function readZoneFooter(zone) {
  let data;
  try {
    data = fs.readFileSync(path.join(ZONEINFO, zone));
  } catch {
    return null;
  }
  if (data.length < 44 || data.toString('latin1', 0, 4) !== 'TZif' || data[4] < 0x32) return null;
  if (data[data.length - 1] !== 0x0a) return null;
  const start = data.lastIndexOf(0x0a, data.length - 2);
  if (start < 0) return null;
  return data.toString('latin1', start + 1, data.length - 1);
}

class Cursor {
  constructor(text) { this.text = text; this.pos = 0; }
  peek() { return this.text[this.pos]; }
  done() { return this.pos >= this.text.length; }
  fail(what) { throw new Error(`TZ string "${this.text}": ${what} at ${this.pos}`); }
}

function parseName(c) {
  if (c.peek() === '<') {
    const end = c.text.indexOf('>', c.pos);
    if (end < 0) c.fail('unclosed <');
    const name = c.text.slice(c.pos + 1, end);
    c.pos = end + 1;
    return name;
  }
  const m = /^[A-Za-z]{3,}/.exec(c.text.slice(c.pos));
  if (!m) c.fail('expected a zone abbreviation');
  c.pos += m[0].length;
  return m[0];
}

// [+-]hh[:mm[:ss]] as seconds.
function parseSeconds(c, allowSign) {
  const m = /^([+-]?)(\d{1,3})(?::(\d{1,2}))?(?::(\d{1,2}))?/.exec(c.text.slice(c.pos));
  if (!m || (!allowSign && m[1])) c.fail('expected a time');
  c.pos += m[0].length;
  const seconds = Number(m[2]) * 3600 + Number(m[3] || 0) * 60 + Number(m[4] || 0);
  return m[1] === '-' ? -seconds : seconds;
}

// Mm.w.d[/time]; times run from -167 to 167 hours in the POSIX form.
function parseRule(c) {
  const m = /^M(\d{1,2})\.(\d)\.(\d)/.exec(c.text.slice(c.pos));
  if (!m) c.fail('only the Mm.w.d rule form is supported');
  c.pos += m[0].length;
  let seconds = 2 * 3600;
  if (c.peek() === '/') {
    c.pos += 1;
    seconds = parseSeconds(c, true);
  }
  return { month: Number(m[1]), week: Number(m[2]), weekday: Number(m[3]), seconds };
}

// Parses "CET-1CEST,M3.5.0,M10.5.0/3". Offsets come back east positive, in seconds.
export function parsePosixTz(text) {
  const c = new Cursor(text);
  const stdName = parseName(c);
  const stdOffset = -parseSeconds(c, true);
  if (c.done()) return { stdName, stdOffset, dst: null };
  const dstName = parseName(c);
  let dstOffset = stdOffset + 3600;
  if (!c.done() && c.peek() !== ',') dstOffset = -parseSeconds(c, true);
  if (c.peek() !== ',') c.fail('expected the daylight rules');
  c.pos += 1;
  const start = parseRule(c);
  if (c.peek() !== ',') c.fail('expected the end rule');
  c.pos += 1;
  const end = parseRule(c);
  if (!c.done()) c.fail('trailing text');
  return { stdName, stdOffset, dst: { name: dstName, offset: dstOffset, start, end } };
}

// A wall-clock transition time outside 0..24 h moves the weekday with it. The occurrence
// number stays, so "4th Thursday 26:00" becomes "4th Friday 02:00"; in the rare month where
// those differ the transition is a week off (it never falls on the 15th, which the checks use).
function toDayInMonth(rule) {
  const dayShift = Math.floor(rule.seconds / 86400);
  const rest = rule.seconds - dayShift * 86400;
  return {
    month: rule.month,
    week: rule.week,
    weekday: (((rule.weekday + dayShift) % 7) + 7) % 7,
    hour: Math.floor(rest / 3600),
    minute: Math.floor((rest % 3600) / 60),
    second: rest % 60,
  };
}

// The rules in this system's convention: local standard time = UTC + bias (minutes, east
// positive); daylight bias subtracted during daylight time; daylight date starts it and
// standard date ends it, both as the wall-clock time in force before the change (the POSIX
// meaning too). A zone whose "daylight" offset is below its standard one (Dublin's winter
// time) is turned round, so its summer is the daylight time as everywhere else.
export function zoneRules(posix) {
  const tz = parsePosixTz(posix);
  if (!tz.dst) {
    return { bias: tz.stdOffset / 60, stdName: tz.stdName, dstName: tz.stdName, daylightBias: 0, standardDate: null, daylightDate: null };
  }
  let { stdName, stdOffset } = tz;
  let { name: dstName, offset: dstOffset, start, end } = tz.dst;
  if (dstOffset < stdOffset) {
    [stdName, dstName] = [dstName, stdName];
    [stdOffset, dstOffset] = [dstOffset, stdOffset];
    [start, end] = [end, start];
  }
  if (stdOffset % 60 || dstOffset % 60) throw new Error(`${posix}: offsets with seconds`);
  return {
    bias: stdOffset / 60,
    stdName,
    dstName,
    daylightBias: -(dstOffset - stdOffset) / 60,
    standardDate: toDayInMonth(end),
    daylightDate: toDayInMonth(start),
  };
}

export function rulesKey(r) {
  const d = (x) => (x ? `${x.month}.${x.week}.${x.weekday}@${x.hour}:${x.minute}:${x.second}` : '-');
  return `${r.bias}|${r.daylightBias}|${d(r.daylightDate)}|${d(r.standardDate)}`;
}

// The 172-byte TIME_ZONE_INFORMATION block: Bias, StandardName[32], StandardDate, StandardBias,
// DaylightName[32], DaylightDate, DaylightBias; names UTF-16LE, SYSTEMTIME as eight u16.
export function encodeRules(r) {
  const buf = Buffer.alloc(172);
  let pos = 0;
  const name = (text) => {
    const units = text.slice(0, 31);
    for (let i = 0; i < 32; ++i) buf.writeUInt16LE(i < units.length ? units.charCodeAt(i) : 0, pos + 2 * i);
    pos += 64;
  };
  const date = (d) => {
    const fields = d ? [0, d.month, d.weekday, d.week, d.hour, d.minute, d.second, 0] : [0, 0, 0, 0, 0, 0, 0, 0];
    for (const f of fields) { buf.writeUInt16LE(f, pos); pos += 2; }
  };
  buf.writeInt32LE(r.bias, pos); pos += 4;
  name(r.stdName);
  date(r.standardDate);
  buf.writeInt32LE(0, pos); pos += 4;
  name(r.dstName);
  date(r.daylightDate);
  buf.writeInt32LE(r.daylightBias, pos); pos += 4;
  if (pos !== 172) throw new Error('TIME_ZONE_INFORMATION layout');
  return buf;
}
