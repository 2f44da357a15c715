// Every model of each line, or its hex, with colorjs.io: node colorjs.mjs every|hex
import Color from 'colorjs.io';
import { eachLine, n } from './lines.mjs';

const level = (v) => Math.trunc(Math.min(1, Math.max(0, v)) * 255);

function every(c) {
  const srgb = c.to('srgb');
  const [r, g, b] = srgb.coords.map(level);
  const k = 1 - Math.max(r, g, b) / 255;
  const ink = (v) => (k >= 1 ? 0 : ((1 - v / 255 - k) / (1 - k)) * 100);
  const three = (space, scale = [1, 1, 1]) =>
    c.to(space).coords.map((v, i) => n(v * scale[i])).join(' ');
  const [l, a, bb] = c.to('lab-d65').coords;
  const chroma = Math.hypot(a, bb);
  const hue = (Math.atan2(bb, a) * 180) / Math.PI;
  const gamut = c.inGamut('srgb') ? 'srgb' : c.inGamut('p3') ? 'display-p3'
    : c.inGamut('rec2020') ? 'rec2020' : 'beyond';
  return `hex ${srgb.toString({ format: 'hex', collapse: false })}\nrgb ${r} ${g} ${b}
cmyk ${n(ink(r))} ${n(ink(g))} ${n(ink(b))} ${n(k * 100)}\nhsv ${three('hsv')}\nhsl ${three('hsl')}
xyz ${three('xyz-d65', [100, 100, 100])}\nlab ${n(l)} ${n(a)} ${n(bb)}
lch ${n(l)} ${n(chroma)} ${n(hue < 0 ? hue + 360 : hue)}\noklab ${three('oklab', [100, 1, 1])}
oklch ${three('oklch', [100, 1, 1])}\np3 ${three('p3')}\nrec2020 ${three('rec2020')}\ngamut ${gamut}\n`;
}

const hexOnly = process.argv[2] === 'hex';
eachLine((line) => {
  let c;
  try {
    c = new Color(line);
  } catch {
    process.stderr.write(`not a colour: ${line}\n`);
    return '';
  }
  return hexOnly ? c.to('srgb').toString({ format: 'hex', collapse: false }) + '\n' : every(c);
});
