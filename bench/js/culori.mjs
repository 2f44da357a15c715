// Every model of each line, or its hex, with culori: node culori.mjs every|hex
import { parse, converter, formatHex, inGamut } from 'culori';
import { eachLine, n } from './lines.mjs';

const to = {};
for (const mode of ['rgb', 'hsv', 'hsl', 'xyz65', 'lab65', 'lch65', 'oklab', 'oklch', 'p3', 'rec2020'])
  to[mode] = converter(mode);
const inSrgb = inGamut('rgb');
const inP3 = inGamut('p3');
const inRec2020 = inGamut('rec2020');
const level = (v) => Math.trunc(Math.min(1, Math.max(0, v)) * 255);

function every(c) {
  const rgb = to.rgb(c);
  const r = level(rgb.r), g = level(rgb.g), b = level(rgb.b);
  const k = 1 - Math.max(r, g, b) / 255;
  const ink = (v) => (k >= 1 ? 0 : ((1 - v / 255 - k) / (1 - k)) * 100);
  const hsv = to.hsv(c), hsl = to.hsl(c), xyz = to.xyz65(c), lab = to.lab65(c), lch = to.lch65(c);
  const oklab = to.oklab(c), oklch = to.oklch(c), p3 = to.p3(c), rec = to.rec2020(c);
  const gamut = inSrgb(c) ? 'srgb' : inP3(c) ? 'display-p3' : inRec2020(c) ? 'rec2020' : 'beyond';
  return `hex ${formatHex(c)}\nrgb ${r} ${g} ${b}\ncmyk ${n(ink(r))} ${n(ink(g))} ${n(ink(b))} ${n(k * 100)}
hsv ${n(hsv.h)} ${n(hsv.s * 100)} ${n(hsv.v * 100)}\nhsl ${n(hsl.h)} ${n(hsl.s * 100)} ${n(hsl.l * 100)}
xyz ${n(xyz.x * 100)} ${n(xyz.y * 100)} ${n(xyz.z * 100)}\nlab ${n(lab.l)} ${n(lab.a)} ${n(lab.b)}
lch ${n(lch.l)} ${n(lch.c)} ${n(lch.h)}\noklab ${n(oklab.l * 100)} ${n(oklab.a)} ${n(oklab.b)}
oklch ${n(oklch.l * 100)} ${n(oklch.c)} ${n(oklch.h)}\np3 ${n(p3.r)} ${n(p3.g)} ${n(p3.b)}
rec2020 ${n(rec.r)} ${n(rec.g)} ${n(rec.b)}\ngamut ${gamut}\n`;
}

const hexOnly = process.argv[2] === 'hex';
eachLine((line) => {
  const c = parse(line);
  if (!c) {
    process.stderr.write(`not a colour: ${line}\n`);
    return '';
  }
  return hexOnly ? formatHex(c) + '\n' : every(c);
});
