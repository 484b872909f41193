import { OutOfMemory } from './core_bridge.js';

// Picture files to face images. A strip (80 wide, a whole multiple of 80 high) is cut into
// its faces exactly as every program cuts it; any other picture becomes one face, a square
// of it that the user frames (crop_view.js), and an animated GIF one face per frame. The
// core reads each file's size from its header before anything is decoded, so the faces
// are counted, and too many refused, before any memory goes to pixels. Bitmaps are decoded
// by the core, as in every program; JPEG, GIF and PNG by the browser.

// A decoded frame as RGBA rows. A frame in four 8-bit channels is copied as it is and
// its channels put in order: asking the browser to convert it multiplies the colours
// by alpha, and a half-transparent pixel would lose colour before the core lays it over
// the picture box's background. Other layouts (a JPEG's planes) have no alpha to lose.
async function framePixels(image, width, height) {
  const rgba = new Uint8Array(width * height * 4);
  const order = { RGBA: [0, 1, 2], RGBX: [0, 1, 2], BGRA: [2, 1, 0], BGRX: [2, 1, 0] }[image.format];
  if (!order) {
    await image.copyTo(rgba, { format: 'RGBA' });
    return rgba;
  }
  const raw = new Uint8Array(image.allocationSize());
  const [plane] = await image.copyTo(raw);
  for (let y = 0; y < height; y += 1) {
    let from = plane.offset + y * plane.stride, to = y * width * 4;
    for (let x = 0; x < width; x += 1, from += 4, to += 4) {
      rgba[to] = raw[from + order[0]];
      rgba[to + 1] = raw[from + order[1]];
      rgba[to + 2] = raw[from + order[2]];
      rgba[to + 3] = raw[from + 3];
    }
  }
  return rgba;
}

// The image decoder for a picture's bytes, or null where the browser has none for it. A
// JPEG goes through a canvas instead: the image decoder hands it over as YUV planes and
// converts them with its own arithmetic, where the canvas has the JPEG library's RGB, the
// same as the other programs' decoders; a JPEG has no alpha a canvas could spoil.
async function imageDecoder(bytes, type, animated) {
  if (type === 'image/jpeg' || !window.ImageDecoder || !await ImageDecoder.isTypeSupported(type))
    return null;
  const decoder = new ImageDecoder({ data: bytes, type, colorSpaceConversion: 'none',
                                     premultiplyAlpha: 'none', preferAnimation: animated });
  await decoder.tracks.ready;
  return decoder;
}

// Frame `index` as { width, height, rgba }, not premultiplied and with no colour
// management, so the pixels are the file's own; the decoder lays each GIF frame over the
// ones before it as the animation shows it.
async function decodeFrame(decoder, index) {
  const { image } = await decoder.decode({ frameIndex: index });
  try {
    const width = image.displayWidth, height = image.displayHeight;
    return { width, height, rgba: await framePixels(image, width, height) };
  } finally {
    image.close();
  }
}

// The first frame, by the image decoder or, without one, a canvas (exact for opaque pictures).
async function decodePicture(bytes, type) {
  const decoder = await imageDecoder(bytes, type, false);
  if (decoder) {
    try {
      return await decodeFrame(decoder, 0);
    } finally {
      decoder.close();
    }
  }
  const bitmap = await createImageBitmap(new Blob([bytes], { type }),
    { colorSpaceConversion: 'none', premultiplyAlpha: 'none', imageOrientation: 'none' });
  const canvas = document.createElement('canvas');
  canvas.width = bitmap.width; canvas.height = bitmap.height;
  const context = canvas.getContext('2d', { willReadFrequently: true });
  context.drawImage(bitmap, 0, 0);
  bitmap.close();
  const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
  return { width: canvas.width, height: canvas.height, rgba: new Uint8Array(data.buffer) };
}

// The largest bitmap the core decodes for a frame: 2^25 pixels (a 6000 x 5000 photo fits)
// are 128 MiB of RGBA, which the core's memory holds a few times over while it decodes and
// hands the pixels out, far below the 2 GiB a page's WebAssembly memory can reach.
const MAX_BMP_PIXELS = 2 ** 25;

// A checked file: { bytes, type, strip, count } (count: the faces it gives), or { error }.
async function look(core, bytes) {
  const { error, kind, width, height } = core.checkPicture(bytes);
  const errors = core.stripError;
  if (error && error !== errors.wrongSize) return { error };
  const kinds = core.pictureKind;
  const type = { [kinds.bmp]: 'image/bmp', [kinds.jpeg]: 'image/jpeg', [kinds.gif]: 'image/gif',
                 [kinds.png]: 'image/png' }[kind];
  if (!error) return { bytes, type, strip: true, count: height / core.faceSize };
  // An animation's frames are counted by the core, as --fit counts them; a browser without
  // an image decoder shows a GIF's first frame only.
  const animated = type === 'image/gif' && window.ImageDecoder;
  return { bytes, type, strip: false, pixels: width * height,
           count: animated ? Math.max(1, core.gifFrameCount(bytes)) : 1 };
}

// The faces of images cut or read from a clock (imageValues values each), none framed.
export function facesOfImages(core, images) {
  const n = core.imageValues, faces = [];
  for (let k = 0; k * n < images.length; k += 1) faces.push({ face: images.slice(k * n, (k + 1) * n) });
  return faces;
}

// The faces of one checked file, each { face } and, for a picture framed by a square, its
// `picture`: { width, height, rgba (the first frame), square, bytes, type, frames } shared
// by the faces of its frames, each of which knows its `frame`.
async function facesOf(core, file) {
  const { bytes, type } = file;
  if (file.strip) {
    let cut;
    if (type === 'image/bmp') {
      cut = core.cutFaces(bytes, 0, 0, true);
    } else {
      const { width, height, rgba } = await decodePicture(bytes, type);
      cut = core.cutFaces(rgba, width, height, false);
    }
    return cut.error ? cut : { faces: facesOfImages(core, cut.faces) };
  }
  const first = type === 'image/bmp' ? core.decodeBmp(bytes, Math.min(file.pixels, MAX_BMP_PIXELS))
    : await decodePicture(bytes, type);
  if (!first) return { error: core.stripError.notAPicture };
  const picture = { ...first, square: core.centredSquare(first.width, first.height), bytes, type,
                    frames: file.count };
  const faces = [];
  for (let frame = 0; frame < file.count; frame += 1) faces.push({ picture, frame, face: null });
  await fitFaces(core, picture, faces);
  return { faces };
}

// Fits the face of the first frame of `picture`, if it is among `faces`, to its square.
export function fitFirstFrame(core, picture, faces) {
  for (const f of faces) if (f.picture === picture && f.frame === 0) f.face = core.fitFace(picture, picture.square);
}

// Fits the faces of `picture` in `faces` to its square: the first frame from the pixels
// kept, the others decoded again one at a time, so an animation's frames never all lie in
// memory at once. `stillWanted()` false stops it (the square moved on meanwhile).
export async function fitFaces(core, picture, faces, stillWanted = () => true) {
  fitFirstFrame(core, picture, faces);
  const mine = faces.filter((f) => f.picture === picture);
  if (!mine.some((f) => f.frame > 0)) return;
  const decoder = await imageDecoder(picture.bytes, picture.type, true);
  try {
    for (const f of mine) {
      if (!stillWanted()) return;
      if (f.frame > 0) f.face = core.fitFace(await decodeFrame(decoder, f.frame), picture.square);
    }
  } finally {
    decoder.close();
  }
}

// The faces of picture files' bytes, in order: { faces }, or { error } with the StripError
// the first refused one is refused for, or { tooMany } with the number of faces they would
// have given; OutOfMemory when the core's memory runs out.
export async function readPictures(core, files) {
  const looked = [];
  for (const bytes of files) {
    const file = await look(core, bytes);
    if (file.error) return file;
    looked.push(file);
  }
  const count = looked.reduce((sum, f) => sum + f.count, 0);
  if (count > core.maxImages) return { tooMany: count };
  const faces = [];
  for (const file of looked) {
    let taken;
    try {
      taken = await facesOf(core, file);
    } catch (e) {
      if (e instanceof OutOfMemory) throw e;
      return { error: core.stripError.notAPicture };
    }
    if (taken.error) return taken;
    faces.push(...taken.faces);
  }
  return { faces };
}
