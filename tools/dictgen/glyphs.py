"""How alike two characters look, from their glyphs.

Each character is drawn in two fonts of Debian's fonts-noto-cjk (a sans and
a serif face, simplified Chinese forms) and described by where its strokes
run which way: the image is lightly blurred, its gradients are binned by
direction into a grid of cells, and the cells of both fonts form a
vector.  Two characters look alike by the cosine of their vectors.  This
sees what the component tree cannot: 土 and 士, 未 and 末, 午
and 牛 differ by one stroke's length and share no part.

The vectors are partly whitened over the common characters: the strongest
directions in which glyphs vary, which whole classes of characters share
(a left radical, a frame), are damped, and the weakest are dropped as
noise.  So the cosine weighs the strokes that tell characters apart:
即 is 3rd nearest to 既 (61st unwhitened), 后 21st to 右 (51st).

Similarities are computed in float64 and rounded, so the neighbours and
their order are the same on every run; a float32 pass only shortlists.
"""

import hashlib
import os
from pathlib import Path

import numpy

FONT_DIR = Path("/usr/share/fonts/opentype/noto")
FONTS = (("NotoSansCJK-Regular.ttc", "Noto Sans CJK SC"),
         ("NotoSerifCJK-Regular.ttc", "Noto Serif CJK SC"))
FONT_SIZE = 48
CANVAS = FONT_SIZE + 8
CELL = 7                 # pixels per side of a gradient cell: an 8 x 8 grid
DIRECTIONS = 8           # gradient directions over half a turn
# Each principal direction is scaled by its variance to this power (0 keeps
# the cosine as it is, 0.5 whitens fully), and only the strongest
# WHITENED_DIRECTIONS of them are kept.
WHITENING_POWER = 0.25
WHITENED_DIRECTIONS = 512
NEIGHBOURS = 50          # most alike glyphs kept per character
DECIMALS = 6             # similarities are rounded to this many places
_BLOCK = 256             # glyphs drawn and described at once (small enough
                         # that the allocator reuses memory, not maps it anew)
_SHORTLIST_BLOCK = 64    # rows of the similarity matrix computed at once
# Glyph vectors of the last run, kept by a hash of everything they are made
# from (this file, the fonts, the characters), so that a second run, the
# check after a regeneration above all, need not draw 40,000 glyphs again.
# ORVALEN_GLYPH_CACHE names another directory: the tests keep theirs in the
# build tree, where one test draws the glyphs for the checks that use them.
CACHE_DIR = Path(os.environ.get("ORVALEN_GLYPH_CACHE")
                 or Path(__file__).resolve().parent / ".cache")


def missing_fonts(font_dir=FONT_DIR):
    return [str(font_dir / name) for name, _ in FONTS if not (font_dir / name).is_file()]


def _font_face(path, family, size=FONT_SIZE):
    """The face of a font collection whose family name is `family`."""
    from PIL import ImageFont
    for index in range(32):
        try:
            font = ImageFont.truetype(str(path), size, index=index)
        except OSError:
            break
        if font.getname()[0] == family:
            return font
    raise SystemExit(f"{path} holds no face named {family}")


def render(characters, font, canvas=CANVAS):
    """One grey-level image per character, the glyph centred on the canvas."""
    from PIL import Image, ImageDraw
    images = numpy.zeros((len(characters), canvas, canvas), numpy.uint8)
    for index, character in enumerate(characters):
        image = Image.new("L", (canvas, canvas), 0)
        ImageDraw.Draw(image).text((canvas // 2, canvas // 2), character, fill=255,
                                   font=font, anchor="mm")
        images[index] = numpy.asarray(image)
    return images


def _box_blur(images, radius=1):
    width = 2 * radius + 1
    out = images
    for axis in (1, 2):
        padding = [(0, 0), (0, 0), (0, 0)]
        padding[axis] = (radius + 1, radius)
        sums = numpy.cumsum(numpy.pad(out, padding), axis=axis)
        size = sums.shape[axis]
        out = (numpy.take(sums, range(width, size), axis=axis)
               - numpy.take(sums, range(0, size - width), axis=axis)) / width
    return out


def direction_histograms(images):
    """Per image, the gradient strength in each direction bin of each cell."""
    blurred = _box_blur(images.astype(numpy.float64) / 255)
    dy, dx = numpy.gradient(blurred, axis=(1, 2))
    strength = numpy.hypot(dx, dy)
    position = (numpy.arctan2(dy, dx) % numpy.pi) / numpy.pi * DIRECTIONS
    lower = numpy.floor(position)
    upper_weight = position - lower
    lower = lower.astype(int) % DIRECTIONS
    upper = (lower + 1) % DIRECTIONS
    cells = CANVAS // CELL
    count = len(images)
    # Each pixel adds to the two direction bins it lies between, in its cell.
    size = cells * CELL
    cell_of = numpy.arange(size) // CELL
    base = ((numpy.arange(count)[:, None, None] * cells + cell_of[None, :, None]) * cells
            + cell_of[None, None, :]) * DIRECTIONS
    strength = strength[:, :size, :size]
    upper_weight = upper_weight[:, :size, :size]
    bins = count * cells * cells * DIRECTIONS
    histograms = (numpy.bincount((base + lower[:, :size, :size]).ravel(),
                                 (strength * (1 - upper_weight)).ravel(), bins)
                  + numpy.bincount((base + upper[:, :size, :size]).ravel(),
                                   (strength * upper_weight).ravel(), bins))
    return numpy.sqrt(histograms.reshape(count, -1))


def _inputs_hash(characters, centre_count, font_dir):
    digest = hashlib.sha256(Path(__file__).read_bytes())
    for name, family in FONTS:
        digest.update(family.encode() + (Path(font_dir) / name).read_bytes())
    digest.update(f"{centre_count} {''.join(characters)}".encode("utf-8"))
    return digest.hexdigest()[:32]


def _cached(cache_dir, name, key, compute, store=True):
    """compute() (an array, or a pair of arrays), read from
    `cache_dir`/name-key.npz when a run with the same key left it there; a
    run keeps only the latest file of each name (and, with `store` false,
    leaves none)."""
    if cache_dir is None:
        return compute()
    cached = Path(cache_dir) / f"{name}-{key}.npz"
    try:
        with numpy.load(cached, allow_pickle=False) as stored:
            arrays = tuple(stored[f"arr_{index}"] for index in range(len(stored.files)))
        return arrays if len(arrays) > 1 else arrays[0]
    except (OSError, ValueError, KeyError):
        pass
    result = compute()
    if not store:
        return result
    try:
        cached.parent.mkdir(parents=True, exist_ok=True)
        for old in cached.parent.glob(f"{name}-*.npz"):
            old.unlink(missing_ok=True)
        temporary = cached.with_name(f"{cached.name}.{os.getpid()}.part")
        with open(temporary, "wb") as stream:
            numpy.savez(stream, *(result if isinstance(result, tuple) else (result,)))
        temporary.replace(cached)
    except OSError:
        pass  # a read-only tree: no cache, the same result
    return result


def glyph_vectors(characters, centre_count, font_dir=FONT_DIR, cache_dir=CACHE_DIR):
    """Unit vectors whose dot product is the similarity of two glyphs, from
    the cache when the inputs are the same (`cache_dir` None: no cache)."""
    key = _inputs_hash(characters, centre_count, font_dir)
    return _cached(cache_dir, "glyph-vectors", key,
                   lambda: _whitened(numpy.hstack([
                       _cached(cache_dir, f"glyph-font-{font + 1}", key,
                               lambda: _font_part(characters, centre_count, font_dir, font), store=False)
                       for font in range(len(FONTS))]), centre_count))


def draw_font(font, characters, centre_count, font_dir=FONT_DIR, cache_dir=CACHE_DIR):
    """Puts the part of the glyph vectors drawn in FONTS[font] into the
    cache, where glyph_vectors takes it instead of drawing it again: the
    fonts can so be drawn side by side, by two processes."""
    key = _inputs_hash(characters, centre_count, font_dir)
    _cached(cache_dir, f"glyph-font-{font + 1}", key,
            lambda: _font_part(characters, centre_count, font_dir, font))


def _font_part(characters, centre_count, font_dir, font):
    """The histograms of one font, centred on the mean of the first
    `centre_count` characters (the common set), so that what all characters
    have in common does not make them alike."""
    name, family = FONTS[font]
    face = _font_face(font_dir / name, family)
    histograms = numpy.vstack([direction_histograms(render(characters[start:start + _BLOCK], face))
                               for start in range(0, len(characters), _BLOCK)])
    histograms -= histograms[:centre_count].mean(axis=0)
    norms = numpy.linalg.norm(histograms, axis=1, keepdims=True)
    return histograms / numpy.where(norms > 0, norms, 1)


def _whitened(vectors, centre_count):
    """Unit vectors of `vectors` projected on the strongest principal
    directions of the first `centre_count`, each scaled down by its variance
    to WHITENING_POWER.  The projection is a function of the covariance
    alone, so the eigenvectors' signs, which the library may choose either
    way, do not change a similarity."""
    common = vectors[:centre_count]
    mean = common.mean(axis=0)
    variances, directions = numpy.linalg.eigh(numpy.cov(common - mean, rowvar=False, bias=True))
    strongest = numpy.argsort(-variances, kind="stable")[:WHITENED_DIRECTIONS]
    # Directions in which the common glyphs do not vary at all (cells no
    # stroke reaches) have no scale to divide by.
    strongest = strongest[variances[strongest] > variances.max() * 1e-9]
    projected = (vectors - mean) @ (directions[:, strongest] * variances[strongest] ** -WHITENING_POWER)
    norms = numpy.linalg.norm(projected, axis=1, keepdims=True)
    return projected / numpy.where(norms > 0, norms, 1)


def similarity(vectors, first, second):
    """The rounded similarity of two characters, by index."""
    return round(float(numpy.dot(vectors[first], vectors[second])), DECIMALS)


def nearest(vectors, pool, cache_dir=CACHE_DIR):
    """For each index in `pool`, the NEIGHBOURS most alike other indices of
    `pool` as (similarity, index) pairs, most alike first, ties by index."""
    pool = numpy.asarray(pool)
    key = hashlib.sha256(numpy.ascontiguousarray(vectors).tobytes() + pool.tobytes()
                         + Path(__file__).read_bytes()).hexdigest()[:32]
    similarities, indices = _cached(cache_dir, f"nearest-{len(pool)}", key,
                                    lambda: _nearest(vectors, pool))
    return [list(zip(row_similarities, row_indices))
            for row_similarities, row_indices in zip(similarities.tolist(), indices.tolist())]


def _nearest(vectors, pool):
    """nearest() as two arrays, similarities and indices."""
    members = vectors[pool]
    shortlist_size = min(len(pool) - 1, NEIGHBOURS + 16)
    kept = min(len(pool) - 1, NEIGHBOURS)
    single = members.astype(numpy.float32)
    similarities, neighbours = [], []
    for start in range(0, len(pool), _SHORTLIST_BLOCK):
        rows = single[start:start + _SHORTLIST_BLOCK] @ single.T
        own = numpy.arange(len(rows))
        rows[own, start + own] = -numpy.inf
        shortlist = numpy.argpartition(-rows, shortlist_size - 1, axis=1)[:, :shortlist_size]
        exact = numpy.einsum("rsd,rd->rs", members[shortlist], members[start:start + len(rows)])
        exact = numpy.round(exact, DECIMALS)
        indices = pool[shortlist]
        # Most alike first; equal similarities in index order.
        order = numpy.lexsort((indices, -exact), axis=1)[:, :kept]
        similarities.append(numpy.take_along_axis(exact, order, axis=1))
        neighbours.append(numpy.take_along_axis(indices, order, axis=1))
    return numpy.vstack(similarities), numpy.vstack(neighbours)


class Ink:
    """The ink of single glyphs drawn in the first font, for comparing two
    characters or parts as a reader sees them: which strokes one has where
    the other has none."""

    def __init__(self, font_dir=FONT_DIR):
        path, family = FONTS[0]
        self.font_dir = Path(font_dir)
        self.font = _font_face(self.font_dir / path, family)
        self.images = {}
        self.large, self.large_font = {}, None

    def image(self, character):
        """The glyph, blurred by a pixel so that strokes a pixel apart
        overlap, scaled to 0..1."""
        image = self.images.get(character)
        if image is None:
            drawn = render([character], self.font).astype(numpy.float64) / 255
            image = _box_blur(drawn)[0]
            self.images[character] = image
        return image

    def likeness(self, first, second):
        """The cosine of the two blurred glyphs, rounded: 1 for the same
        ink, near 0 for strokes in other places."""
        a, b = self.image(first), self.image(second)
        norm = float(numpy.linalg.norm(a) * numpy.linalg.norm(b))
        return round(float((a * b).sum()) / norm, 3) if norm else 0.0

    # Stroke phrases look at glyphs drawn this many times larger, where a
    # stroke a little longer is several pixels of ink; ink within WIDEN
    # pixels of the other glyph's counts as the same, and EXTRA_INK pixels
    # of ink the other lacks make a stroke longer.
    SCALE = 3
    WIDEN = 3
    EXTRA_INK = 60

    def ink(self, character):
        """The glyph's ink, drawn large, as a boolean image, and that ink
        widened, within which the other glyph's strokes are the same."""
        cached = self.large.get(character)
        if cached is None:
            if self.large_font is None:
                path, family = FONTS[0]
                self.large_font = _font_face(self.font_dir / path, family, FONT_SIZE * self.SCALE)
            image = render([character], self.large_font, CANVAS * self.SCALE)[0] > 127
            wide = _box_blur(image[None].astype(numpy.float64), radius=self.WIDEN)[0] > 0
            cached = self.large[character] = (image, wide)
        return cached
    def stroke_phrase(self, query, listed):
        """What a teacher says of `listed` against `query` when a stroke is
        longer at both ends (上横长, 下横长: 末 against 未) or goes on up or
        down (上出头, 下出头: 甲 against 由), from where the listed glyph has
        ink the query lacks; empty when that is not plain."""
        query_ink, query_wide = self.ink(query)
        listed_ink, listed_wide = self.ink(listed)
        extra = listed_ink & ~query_wide
        missing = query_ink & ~listed_wide
        if extra.sum() < self.EXTRA_INK:
            return ""
        rows = numpy.nonzero((query_ink | listed_ink).any(axis=1))[0]
        columns = numpy.nonzero((query_ink | listed_ink).any(axis=0))[0]
        top, bottom = rows[0], rows[-1]
        middle = (columns[0] + columns[-1]) / 2
        quarter = (columns[-1] - columns[0]) / 4
        extra_rows, extra_columns = numpy.nonzero(extra)
        left = extra_columns < middle - quarter
        right = extra_columns > middle + quarter
        band = query_ink[max(extra_rows.min() - self.WIDEN, 0):extra_rows.max() + self.WIDEN + 1,
                         int(middle - quarter):int(middle + quarter) + 1]
        crossed = band.any(axis=0).mean() >= 0.9 and band.mean(axis=1).max() >= 0.8
        if (crossed and left.sum() >= self.EXTRA_INK / 4 and right.sum() >= self.EXTRA_INK / 4
                and (left | right).sum() > 0.8 * len(extra_columns)):
            # Ink beyond both ends of a horizontal stroke the query has
            # across the middle: that stroke drawn longer.
            # Above or below the stroke the listed glyph has shorter, where
            # that is also shorter at both ends (末 against 未); else in the
            # upper or lower half.
            centre = extra_rows.mean()
            missing_rows, missing_columns = numpy.nonzero(missing)
            if (len(missing_rows) >= self.EXTRA_INK
                    and (missing_columns < middle - quarter).sum() >= self.EXTRA_INK / 4
                    and (missing_columns > middle + quarter).sum() >= self.EXTRA_INK / 4):
                return "上横长" if centre < missing_rows.mean() else "下横长"
            return "上横长" if centre < (top + bottom) / 2 else "下横长"
        height = extra_rows.max() - extra_rows.min() + 1
        width = extra_columns.max() - extra_columns.min() + 1
        if height >= 2 * width and missing.sum() <= extra.sum() / 2:
            centre = extra_rows.mean()
            if centre < top + (bottom - top) / 3:
                return "上出头"
            if centre > bottom - (bottom - top) / 3:
                return "下出头"
        return ""
