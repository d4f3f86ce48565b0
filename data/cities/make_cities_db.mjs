// Makes TimeCitiesDB.dat (and TimeCitiesDB.zones.tsv, the IANA zone of every city, which only
// the data checks read) from the pinned npm packages and the system's tzdata.
//
//   npm ci && node make_cities_db.mjs [output folder]
//
// Same package versions and same tzdata give the same bytes: every list is sorted on fixed
// keys and nothing depends on time, locale or hash order.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { nameBytes, decodeCp1252, transliterate } from './lib/name_bytes.mjs';
import { readZoneFooter, zoneRules, rulesKey, encodeRules, tzdataVersion } from './lib/posix_tz.mjs';
import { readGeoNamesPlaces, readAdmin1Names, readCountryNames, readUsZipCodes } from './lib/sources.mjs';
import { buildDatabase } from './lib/db_writer.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const outDir = process.argv[2] ? path.resolve(process.argv[2]) : here;

const MIN_POPULATION = 15000;
const MAJOR_LARGEST = 160;          // the largest cities flagged major besides every capital
const MAX_REGIONS = 255;
const MIN_CITIES_FOR_REGIONS = 150; // smaller countries read well as one list
const MAX_ZONE_NAME = 49;
const US_NAME = 'United States of America';

// Names the product looks for verbatim, where our sources spell them otherwise.
const COUNTRY_NAME_OVERRIDES = new Map([['US', US_NAME]]);
const CITY_NAME_OVERRIDES = new Map([[5128581, 'New York']]); // GeoNames calls it "New York City"
// Historical, abandoned and destroyed places are not cities anyone sets a clock for.
const SKIPPED_FEATURES = new Set(['PPLH', 'PPLQ', 'PPLW', 'PPLCH']);
// Sections of a city ("Zürich (Kreis 10)") carry their city's clock; they are listed only when
// a US ZIP code is named after one.
const CITY_SECTIONS = 'PPLX';

const US_STATES = ['AL', 'AK', 'AZ', 'AR', 'CA', 'CO', 'CT', 'DE', 'DC', 'FL', 'GA', 'HI', 'ID', 'IL', 'IN', 'IA', 'KS', 'KY', 'LA', 'ME',
  'MD', 'MA', 'MI', 'MN', 'MS', 'MO', 'MT', 'NE', 'NV', 'NH', 'NJ', 'NM', 'NY', 'NC', 'ND', 'OH', 'OK', 'OR', 'PA', 'RI', 'SC', 'SD', 'TN',
  'TX', 'UT', 'VT', 'VA', 'WA', 'WV', 'WI', 'WY'];

const byteCompare = (a, b) => Buffer.compare(a, b);
const sortKey = (text) => transliterate(text).toLowerCase();
const textCompare = (a, b) => (a < b ? -1 : a > b ? 1 : 0);
const minutes = (deg) => Math.round(deg * 60);

function log(...args) { process.stderr.write(args.join(' ') + '\n'); }

// ---- zones ---------------------------------------------------------------------------------
const zoneCache = new Map();
function rulesOfZone(zone) {
  if (!zoneCache.has(zone)) {
    const footer = readZoneFooter(zone);
    zoneCache.set(zone, footer ? zoneRules(footer) : null);
  }
  return zoneCache.get(zone);
}

// ---- cities ----------------------------------------------------------------------------------
const places = readGeoNamesPlaces();
const admin1Names = readAdmin1Names();
const countryNames = readCountryNames();

const skipped = { noCountry: 0, noZone: 0 };
const cities = [];
for (const p of places) {
  if (SKIPPED_FEATURES.has(p.featureCode) || p.featureCode === CITY_SECTIONS) continue;
  if (p.population < MIN_POPULATION && p.featureCode !== 'PPLC') continue;
  if (!countryNames.has(p.country)) { skipped.noCountry++; continue; }
  if (!rulesOfZone(p.timezone)) { skipped.noZone++; continue; }
  const name = CITY_NAME_OVERRIDES.get(p.id) ?? p.name;
  cities.push({
    geonameId: p.id,
    country: p.country,
    admin1: p.admin1,
    nameBytes: nameBytes(name, CITY_NAME_OVERRIDES.has(p.id) ? name : p.ascii),
    latMinutes: minutes(p.lat),
    lonMinutes: minutes(p.lon),
    population: p.population,
    capital: p.featureCode === 'PPLC',
    zone: p.timezone,
    flags: 0,
  });
}

// Major cities: every capital and the largest cities of the world.
for (const c of cities) if (c.capital) c.flags |= 1;
[...cities].sort((a, b) => b.population - a.population || a.geonameId - b.geonameId)
  .slice(0, MAJOR_LARGEST).forEach((c) => { c.flags |= 1; });

// ---- US ZIP codes: every ZIP resolves to a city of its state's list ---------------------------
const normalizeCityName = (text) => transliterate(text).toLowerCase().replace(/\bsaint\b/g, 'st').replace(/[^a-z0-9]+/g, ' ').trim();

const usPlacesByState = new Map();
for (const p of places) {
  if (p.country !== 'US' || !rulesOfZone(p.timezone)) continue;
  if (!usPlacesByState.has(p.admin1)) usPlacesByState.set(p.admin1, []);
  usPlacesByState.get(p.admin1).push(p);
}
function nearestZone(state, lat, lon) {
  let best = null;
  let bestDistance = Infinity;
  const cosLat = Math.cos((lat * Math.PI) / 180);
  for (const p of usPlacesByState.get(state) ?? []) {
    const d = (p.lat - lat) ** 2 + ((p.lon - lon) * cosLat) ** 2;
    if (d < bestDistance || (d === bestDistance && p.id < best.id)) { bestDistance = d; best = p; }
  }
  return best ? best.timezone : null;
}

const usStates = new Set(US_STATES);
const zipCodes = readUsZipCodes().filter((z) => usStates.has(z.state)).sort((a, b) => a.zip - b.zip);
const usCityByStateAndName = new Map();
for (const c of cities) {
  if (c.country !== 'US') continue;
  const k = `${c.admin1}|${normalizeCityName(decodeCp1252(c.nameBytes))}`;
  const known = usCityByStateAndName.get(k);
  if (!known || c.population > known.population) usCityByStateAndName.set(k, c);
}
// ZIP cities missing from our list: the GeoNames place of that name in the state when there is
// one (any population), else the ZIP data's own name placed at the mean of its ZIP codes'
// points, in the zone of the nearest GeoNames place of the state.
const usPlaceByStateAndName = new Map();
for (const [state, list] of usPlacesByState) {
  for (const p of list) {
    if (SKIPPED_FEATURES.has(p.featureCode)) continue;
    const k = `${state}|${normalizeCityName(p.name)}`;
    const known = usPlaceByStateAndName.get(k);
    if (!known || p.population > known.population || (p.population === known.population && p.id < known.id)) usPlaceByStateAndName.set(k, p);
  }
}
const zipGroups = new Map();
for (const z of zipCodes) {
  const k = `${z.state}|${normalizeCityName(z.city)}`;
  if (!zipGroups.has(k)) zipGroups.set(k, { state: z.state, name: z.city.trim(), zips: [] });
  zipGroups.get(k).zips.push(z);
}
let zipCitiesAdded = 0;
let zipsWithoutPlace = 0;
for (const [k, g] of zipGroups) {
  let city = usCityByStateAndName.get(k);
  if (!city) {
    const place = usPlaceByStateAndName.get(k);
    const located = g.zips.filter((z) => z.lat !== 0 || z.lon !== 0);
    if (place) {
      city = { geonameId: place.id, country: 'US', admin1: g.state, nameBytes: nameBytes(place.name, place.ascii),
        latMinutes: minutes(place.lat), lonMinutes: minutes(place.lon), population: place.population, capital: false, zone: place.timezone, flags: 0 };
    } else if (located.length) {
      const lat = located.reduce((s, z) => s + z.lat, 0) / located.length;
      const lon = located.reduce((s, z) => s + z.lon, 0) / located.length;
      const zone = nearestZone(g.state, lat, lon);
      if (!zone) throw new Error(`no zone for ZIP city ${k}`);
      city = { geonameId: 0, country: 'US', admin1: g.state, nameBytes: nameBytes(g.name), latMinutes: minutes(lat), lonMinutes: minutes(lon),
        population: 0, capital: false, zone, flags: 0 };
    } else {
      zipsWithoutPlace += g.zips.length;
      continue;
    }
    cities.push(city);
    usCityByStateAndName.set(k, city);
    zipCitiesAdded++;
  }
  for (const z of g.zips) z.cityRef = city;
}

// ---- countries and regions ---------------------------------------------------------------------
const citiesByCountry = new Map();
for (const c of cities) {
  if (!citiesByCountry.has(c.country)) citiesByCountry.set(c.country, []);
  citiesByCountry.get(c.country).push(c);
}
// List order: by name bytes, the larger city first among equal names (look-ups take the first
// match), then GeoNames id for a fixed order. Keys are unique per country, so a city keeps
// its key in its region's list and in the country's own list.
const cityOrder = (a, b) => byteCompare(a.nameBytes, b.nameBytes) || b.population - a.population || a.geonameId - b.geonameId
  || a.latMinutes - b.latMinutes || a.lonMinutes - b.lonMinutes;
for (const list of citiesByCountry.values()) {
  list.sort(cityOrder);
  if (list.length > 0xffff) throw new Error('too many cities in one country');
  list.forEach((c, i) => { c.key = i + 1; });
}

const countryCodes = [...countryNames.keys()];
const countryDisplay = (code) => COUNTRY_NAME_OVERRIDES.get(code) ?? countryNames.get(code);
// The ZIP index can name only regions 1..63, so the ZIP country and its states come first;
// the others follow by name.
countryCodes.sort((a, b) => (a === 'US') - (b === 'US') ? (a === 'US' ? -1 : 1)
  : textCompare(sortKey(countryDisplay(a)), sortKey(countryDisplay(b))) || textCompare(a, b));

function regionsFor(code, list) {
  const codes = code === 'US' ? US_STATES : [...new Set(list.map((c) => c.admin1))];
  const regions = codes.map((a1) => {
    const name = admin1Names.get(`${code}.${a1}`);
    return name ? { admin1: a1, nameBytes: nameBytes(name), cities: list.filter((c) => c.admin1 === a1) } : null;
  });
  if (regions.some((r) => r === null)) return null;
  return regions.sort((a, b) => byteCompare(a.nameBytes, b.nameBytes) || textCompare(a.admin1, b.admin1));
}

const regionsByCountry = new Map();
const usRegions = regionsFor('US', citiesByCountry.get('US') ?? []);
if (!usRegions) throw new Error('a US state has no name');
regionsByCountry.set('US', usRegions);
let regionTotal = usRegions.length;
const candidates = [...citiesByCountry.entries()].filter(([code, list]) => code !== 'US' && list.length >= MIN_CITIES_FOR_REGIONS)
  .sort((a, b) => b[1].length - a[1].length || textCompare(a[0], b[0]));
for (const [code, list] of candidates) {
  const regions = regionsFor(code, list);
  if (!regions || regions.length < 2 || regionTotal + regions.length > MAX_REGIONS) continue;
  regionsByCountry.set(code, regions);
  regionTotal += regions.length;
}

// ---- time zones ----------------------------------------------------------------------------------
const groups = new Map();
for (const c of cities) {
  const rules = rulesOfZone(c.zone);
  const k = rulesKey(rules);
  if (!groups.has(k)) groups.set(k, { rules, cities: [] });
  groups.get(k).cities.push(c);
}
function utcLabel(bias) {
  const sign = bias < 0 ? '-' : '+';
  const a = Math.abs(bias);
  return `(UTC${sign}${String(Math.floor(a / 60)).padStart(2, '0')}:${String(a % 60).padStart(2, '0')})`;
}
const zoneList = [...groups.entries()].map(([k, g]) => {
  const biggest = [...g.cities].sort((a, b) => b.population - a.population || cityOrder(a, b));
  // Rules and abbreviations of the zone of the group's largest city.
  const rules = { ...rulesOfZone(biggest[0].zone) };
  let label = utcLabel(rules.bias);
  const used = new Set();
  for (const c of biggest) {
    const name = decodeCp1252(c.nameBytes);
    if (used.has(name)) continue;
    const next = `${label}${used.size ? ', ' : ' '}${name}`;
    if (next.length > MAX_ZONE_NAME) { if (used.size) break; continue; }
    label = next;
    used.add(name);
    if (used.size === 3) break;
  }
  return { key: k, rules, label, cities: g.cities, population: g.cities.reduce((s, c) => s + c.population, 0) };
});
zoneList.sort((a, b) => a.rules.bias - b.rules.bias || b.population - a.population || textCompare(a.key, b.key));
const labels = new Set();
zoneList.forEach((z, i) => {
  if (labels.has(z.label)) throw new Error(`two zones named ${z.label}`);
  labels.add(z.label);
  for (const c of z.cities) c.zoneIndex = i + 1;
});

// ---- write ---------------------------------------------------------------------------------------
const countries = countryCodes.map((code) => {
  const list = citiesByCountry.get(code) ?? [];
  const regions = regionsByCountry.get(code) ?? [];
  return { code, nameBytes: nameBytes(countryDisplay(code)), cities: list, regions };
});
const regionIndexOf = new Map();
let position = 0;
countries.forEach((country) => country.regions.forEach((r) => regionIndexOf.set(`${country.code}.${r.admin1}`, ++position)));
const usIndex = countries.findIndex((c) => c.code === 'US') + 1;
const zips = zipCodes.filter((z) => z.cityRef).map((z) => ({ zip: z.zip, countryIndex: usIndex, regionIndex: regionIndexOf.get(`US.${z.state}`), key: z.cityRef.key }));
if (zips.some((z) => !z.regionIndex || z.regionIndex > 63)) throw new Error('a ZIP state is not among regions 1..63');

const database = buildDatabase({
  countries,
  zones: zoneList.map((z) => ({ nameBytes: nameBytes(z.label), rules: encodeRules(z.rules) })),
  zips,
});
fs.writeFileSync(path.join(outDir, 'TimeCitiesDB.dat'), database);

// The IANA zone of every city in the order the database enumerates them (a country's region
// lists when it has regions, else its own list), for the local-time check.
const zoneNames = [...new Set(cities.map((c) => c.zone))].sort(textCompare);
const zoneNumber = new Map(zoneNames.map((z, i) => [z, i]));
const tsv = [`# tzdata ${tzdataVersion()}`, ...zoneNames.map((z, i) => `Z\t${i}\t${z}`)];
for (const country of countries) {
  const lists = country.regions.length ? country.regions.map((r) => r.cities) : [country.cities];
  for (const list of lists) for (const c of list) tsv.push(`${c.key}\t${zoneNumber.get(c.zone)}`);
}
fs.writeFileSync(path.join(outDir, 'TimeCitiesDB.zones.tsv'), tsv.join('\n') + '\n');

log(`countries ${countries.length}, regions ${regionTotal} (${[...regionsByCountry.keys()].join(' ')}), cities ${cities.length}`
  + ` (${zipCitiesAdded} added from ZIP codes; skipped: ${skipped.noCountry} unknown country, ${skipped.noZone} unknown zone),`
  + ` ${zipsWithoutPlace} ZIP codes without a place left out, major ${cities.filter((c) => c.flags & 1).length}, zones ${zoneList.length}, ZIP codes ${zips.length},`
  + ` tzdata ${tzdataVersion()}, ${database.length} bytes`);
