// A picture file to face images. The core reads the size from the file's header before
// anything is decoded, so a picture that cannot be a strip costs no memory. Bitmaps are
// decoded by the core, as in every program; JPEG, GIF and PNG by the browser.

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

// RGBA of the first frame, not premultiplied and with no colour management, so the
// pixels are the file's own. The image decoder gives them so directly. A JPEG goes
// through a canvas instead: the image decoder hands it over as YUV planes and converts
// them with its own arithmetic, where the canvas has the JPEG library's RGB, the same
// as the other programs' decoders; a JPEG has no alpha a canvas could spoil. Without an
// image decoder, every picture takes the canvas way, exact for opaque pictures.
async function decodePicture(bytes, type) {
  if (type !== 'image/jpeg' && window.ImageDecoder && await ImageDecoder.isTypeSupported(type)) {
    const decoder = new ImageDecoder({ data: bytes, type, colorSpaceConversion: 'none',
                                       premultiplyAlpha: 'none', preferAnimation: false });
    try {
      const { image } = await decoder.decode({ frameIndex: 0 });
      try {
        const width = image.displayWidth, height = image.displayHeight;
        return { width, height, rgba: await framePixels(image, width, height) };
      } finally {
        image.close();
      }
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

// The face images of a picture file's bytes, { faces }, or { error } with the StripError
// it is refused for; OutOfMemory when the core's memory runs out.
export async function readPicture(core, bytes) {
  const { error, kind } = core.checkPicture(bytes);
  if (error) return { error };
  const kinds = core.pictureKind;
  if (kind === kinds.bmp) return core.cutFaces(bytes, 0, 0, true);
  const type =
    { [kinds.jpeg]: 'image/jpeg', [kinds.gif]: 'image/gif', [kinds.png]: 'image/png' }[kind];
  let decoded;
  try {
    decoded = await decodePicture(bytes, type);
  } catch (e) {
    return { error: core.stripError.notAPicture };
  }
  return core.cutFaces(decoded.rgba, decoded.width, decoded.height, false);
}
