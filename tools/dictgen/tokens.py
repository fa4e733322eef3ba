"""Look-alike blocks: the bytes that give two linked characters a shared run
of exactly a chosen length, and nothing else a shared run.

A link between two characters is a block that both codes carry: 0xFF and
three id bytes, once or repeated, then 0xFF again; 5, 9, 25, 29, 33, 37,
41 or 45 bytes for the grades of links.  A character's blocks stand first
in its code, each followed by the character's own two-byte separator, then
0x7F, the character's key and the component code:

    FF a b c FF a b c FF a b c FF  s t  FF d e f ... FF  s t  7F  k k  <component code>

0xFF is no code page 936 byte, and neither it nor 0x7F is ever in a
component code.  Every 4-byte window of the block area holds one of them,
so none equals a window of a component code; and each window names what it
lies in:

* each link has an id (a, b, c) with a head (a, b) and a tail (b, c) of
  its own, and no tail is a separator, so a window holding two id bytes
  names one block;
* each character has a separator of its own, so a window holding it names
  the character;
* a head may equal a separator only where the link is that character's
  own (else "c FF s t" could be found elsewhere);
* 0x7F stands only at the end of a block area, and the character's key
  follows it (a component code may start with a mark and the key only
  after it), so "t 7F" and the key name the character.

So two codes share a run of 4 bytes only where they share a block.  And two
linked characters have separators that differ in both bytes, so their run
ends where the block ends: it is exactly the block's length, the grade.
"""

MARK = 0xFF
END_MARK = 0x7F
GRADES = (5, 9, 25, 29, 33, 37, 41, 45)
# The grades of a link between a common character and a rare one, and of one
# between a GB2312 character and a traditional one, whatever the two's
# likeness: the first below a shared phonetic part's run, the second at the
# foot of a list, with the shortest runs that families share.
RARE_GRADE = 9
MIXED_GRADE = 5
# Id and separator bytes: printable ASCII except '-' (the search's padding
# byte) and the bytes 0x80-0xFE; never the line's own bytes (NUL, LF, CR,
# 0x1A, space).
ID_BYTES = bytes(b for b in list(range(0x21, 0x7F)) + list(range(0x80, 0xFF)) if b != 0x2D)


def block(identity, grade):
    """The block of an id (3 bytes) at a grade (4 r + 1 bytes)."""
    period = bytes([MARK]) + identity
    return period * (grade // len(period)) + bytes([MARK])


def separators(count, links):
    """A separator per character with links, None for the others: all
    distinct, and for two linked characters different in both bytes."""
    neighbours = [[] for _ in range(count)]
    for first, second, _ in links:
        neighbours[first].append(second)
        neighbours[second].append(first)
    chosen = [None] * count
    used = set()
    # Second byte slowest, so that separators take a few pairs of every
    # first byte and leave every byte enough tails (b, c) that are none.
    pairs = [(first, second) for second in ID_BYTES for first in ID_BYTES]
    start = 0
    for index in range(count):
        if not neighbours[index]:
            continue
        taken = [chosen[other] for other in neighbours[index] if chosen[other]]
        for position in range(start, len(pairs)):
            pair = pairs[position]
            if pair not in used and all(pair[0] != t[0] and pair[1] != t[1] for t in taken):
                break
        else:
            raise RuntimeError("out of look-alike separators")
        chosen[index] = pair
        used.add(pair)
        while start < len(pairs) and pairs[start] in used:
            start += 1
    return chosen


class IdAllocator:
    """Hands out ids whose heads and tails are all distinct.  A link's head
    is one of its characters' separators while that is still free, else the
    next pair that is no character's separator."""

    def __init__(self, reserved):
        self._reserved = set(reserved)
        self._heads_used = set()
        self._tails_used = set()
        self._spare_heads = ((first, second) for first in ID_BYTES for second in ID_BYTES
                             if (first, second) not in self._reserved)
        # Per second byte, where the search for a free tail starts: tails
        # before it are taken or reserved, and stay so.
        self._tail_start = {}

    def _tail(self, second):
        start = self._tail_start.get(second, 0)
        for position in range(start, len(ID_BYTES)):
            tail = (second, ID_BYTES[position])
            if tail not in self._tails_used and tail not in self._reserved:
                self._tail_start[second] = position
                return tail
        self._tail_start[second] = len(ID_BYTES)
        return None

    def allocate(self, owned):
        heads = (head for candidates in (owned, self._spare_heads) for head in candidates)
        for head in heads:
            if head not in self._heads_used:
                tail = self._tail(head[1])
                if tail is not None:
                    break
        else:
            raise RuntimeError("out of look-alike block ids")
        self._heads_used.add(head)
        self._tails_used.add(tail)
        return bytes([head[0], head[1], tail[1]])


def attach(component_codes, links, keys):
    """Codes with look-alike blocks in front of the component codes.

    component_codes and keys: per character index; links: [(i, j, grade)],
    a grade from GRADES.  Within a code, blocks go strongest first, then by the
    other character's index."""
    count = len(component_codes)
    own_separator = separators(count, links)
    allocator = IdAllocator(separator for separator in own_separator if separator)
    blocks = [[] for _ in range(count)]
    for first, second, grade in sorted(links, key=lambda link: (-link[2], link[0], link[1])):
        identity = allocator.allocate((own_separator[first], own_separator[second]))
        data = block(identity, grade)
        blocks[first].append((-grade, second, data))
        blocks[second].append((-grade, first, data))
    codes = []
    for index, component_code in enumerate(component_codes):
        if blocks[index]:
            separator = bytes(own_separator[index])
            area = b"".join(data + separator for _, _, data in sorted(blocks[index]))
            codes.append(area + bytes([END_MARK]) + keys[index] + component_code)
        else:
            codes.append(component_code)
    return codes


def split_code(code):
    """(blocks as (id, grade) pairs, separator or None, component code)."""
    blocks = []
    separator = None
    position = 0
    while code[position:position + 1] == bytes([MARK]):
        period = code[position:position + 4]
        repeats = 0
        while len(period) == 4 and code[position + 4 * repeats:position + 4 * repeats + 4] == period:
            repeats += 1
        end = position + 4 * repeats
        if repeats == 0 or code[end:end + 1] != bytes([MARK]):
            break
        blocks.append((period[1:], 4 * repeats + 1))
        separator = code[end + 1:end + 3]
        position = end + 3
    if blocks and code[position:position + 1] == bytes([END_MARK]):
        position += 3  # 0x7F and the key
    return blocks, separator, code[position:]
