// Turns the Natural Earth 1:50m land shapes of the pinned world-atlas package into land.poly,
// the plain polygon file the skin generator reads: one "ring N" line per ring, then N lines
// "longitude latitude" in degrees (two decimals). Points closer than 0.05 degrees to the last
// kept one are dropped: the largest map is 0.375 degrees per pixel.
// Run: npm ci && node make_land_poly.mjs > land.poly
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { feature } from 'topojson-client';

const require = createRequire(import.meta.url);
const topology = JSON.parse(readFileSync(require.resolve('world-atlas/land-50m.json'), 'utf8'));
const land = feature(topology, topology.objects.land);

const out = [];
const emit = (ring) => {
  const kept = [];
  for (const [lon, lat] of ring) {
    const last = kept[kept.length - 1];
    if (last && Math.abs(last[0] - lon) < 0.05 && Math.abs(last[1] - lat) < 0.05) continue;
    kept.push([lon, lat]);
  }
  if (kept.length < 4) return;
  out.push(`ring ${kept.length}`);
  for (const [lon, lat] of kept) out.push(`${lon.toFixed(2)} ${lat.toFixed(2)}`);
};
for (const f of land.features) {
  const g = f.geometry;
  const polygons = g.type === 'Polygon' ? [g.coordinates] : g.coordinates;
  for (const polygon of polygons) for (const ring of polygon) emit(ring);
}
process.stdout.write(out.join('\n') + '\n');
