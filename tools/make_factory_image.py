#!/usr/bin/env python3
"""Builds assets/factory/FactoryBankImage.bin from the three bank texts.

    python3 tools/make_factory_image.py          write the image
    python3 tools/make_factory_image.py --check  exit 1 if the image is stale

The text format is described at the top of assets/factory/bank-a.txt.
Nothing is written unless every program validates.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FACTORY_DIR = os.path.join(ROOT, 'assets', 'factory')
BANK_FILES = ['bank-a.txt', 'bank-b.txt', 'bank-c.txt']
IMAGE_PATH = os.path.join(FACTORY_DIR, 'FactoryBankImage.bin')

HEAD_MARK, TAIL_MARK = b'Mopho  Data >', b'< Mopho  Data'
PROGRAMS_PER_BANK, IMAGE_SIZE = 128, 256
CATEGORY_AT, SEQ_AT, NAME_AT, NAME_LEN = 117, 120, 184, 16
REST, RESET = 127, 126

# Words accepted for enumerated values; a word's index is the stored byte.
OFF_ON = ['off', 'on']
SHAPES = ['off', 'saw', 'tri', 'sawtri'] + ['pw%d' % w for w in range(100)]
GLIDE_MODES = ['rate', 'rate_auto', 'time', 'time_auto']
KEY_MODES = ['low', 'low_rt', 'high', 'high_rt', 'last', 'last_rt']
LFO_SHAPES = ['tri', 'revsaw', 'saw', 'square', 'random']
DESTS = ['off', 'osc1', 'osc2', 'osc_all', 'mix', 'noise', 'pw1', 'pw2', 'pw_all',
         'cutoff', 'reso', 'audio_mod', 'vca', 'pan',
         'lfo1_freq', 'lfo2_freq', 'lfo3_freq', 'lfo4_freq', 'lfo_all_freq',
         'lfo1_amt', 'lfo2_amt', 'lfo3_amt', 'lfo4_amt', 'lfo_all_amt',
         'fenv_amt', 'aenv_amt', 'env3_amt', 'env_all_amt',
         'fenv_att', 'aenv_att', 'env3_att', 'env_all_att',
         'fenv_dec', 'aenv_dec', 'env3_dec', 'env_all_dec',
         'fenv_rel', 'aenv_rel', 'env3_rel', 'env_all_rel',
         'mod1_amt', 'mod2_amt', 'mod3_amt', 'mod4_amt', 'ext_in', 'sub1', 'sub2',
         'slew']  # 47 exists only for seq2_dest / seq4_dest
SOURCES = ['off', 'seq1', 'seq2', 'seq3', 'seq4', 'lfo1', 'lfo2', 'lfo3', 'lfo4',
           'fenv', 'aenv', 'env3', 'bend', 'wheel', 'pressure', 'breath', 'foot',
           'expression', 'velocity', 'note', 'noise', 'follow', 'peak']
CLOCK_DIVS = ['half', 'quarter', '8th', '8th_hswing', '8th_swing', '8th_trip',
              '16th', '16th_hswing', '16th_swing', '16th_trip', '32nd', '32nd_trip',
              '64th_trip']
ARP_MODES = ['up', 'down', 'updown', 'assign', 'random', 'up2', 'down2', 'updown2',
             'assign2', 'random2', 'up3', 'down3', 'updown3', 'assign3', 'random3']
SEQ_TRIGGERS = ['normal', 'no_reset', 'no_gate', 'no_gate_reset', 'key_step', 'audio_in']
PUSH_MODES = ['normal', 'toggle']
LFO_CLOCKED = {w: 151 + i for i, w in enumerate(
    ['32st', '16st', '8st', '6st', '4st', '3st', '2st', '1.5st', '1st', '2/3st',
     '1/2st', '1/3st', '1/4st', '1/6st', '1/8st', '1/16st'])}
CATEGORIES = ['unassigned', 'keys', 'organs', 'strings', 'softlead', 'brightlead',
              'reslead', 'sync', 'softbass', 'brightbass', 'resbass', 'subbass',
              'brass', 'instruments', 'evolution', 'motion', 'synth', 'vox', 'bells',
              'harmonics', 'sequence', 'percussion', 'noise', 'soundfx', 'pads',
              'arpeggiator']
NOTE_NAMES = ['c', 'c#', 'd', 'd#', 'e', 'f', 'f#', 'g', 'g#', 'a', 'a#', 'b']

# Value kinds: 'num' plain number, 'bip' signed amount stored +127, 'fine' signed
# cents stored +50, 'oscnote' note name stored as note - 24 (C4 = 24, the normal
# pitch), 'note' note name stored as is (C5 = 60), 'bpm', 'lfo' (number or
# clocked word), 'knob' (a parameter key or position), or a word list.
def _lfo(n):
    return [('lfo%d_freq' % n, 166, 'lfo'), ('lfo%d_shape' % n, 4, LFO_SHAPES),
            ('lfo%d_amt' % n, 127, 'num'), ('lfo%d_dest' % n, 46, DESTS),
            ('lfo%d_key_sync' % n, 1, OFF_ON)]

def _mod(n):
    return [('mod%d_src' % n, 22, SOURCES), ('mod%d_amt' % n, 254, 'bip'),
            ('mod%d_dest' % n, 46, DESTS)]

def _route(name):
    return [(name + '_amt', 254, 'bip'), (name + '_dest', 46, DESTS)]

# Image positions 0-110 in order: (key, max, kind).
PARAMS = [
    ('osc1_freq', 120, 'oscnote'), ('osc1_fine', 100, 'fine'), ('osc1_shape', 103, SHAPES),
    ('osc1_glide', 127, 'num'), ('osc1_kbd', 1, OFF_ON), ('osc1_sub', 127, 'num'),
    ('osc2_freq', 120, 'oscnote'), ('osc2_fine', 100, 'fine'), ('osc2_shape', 103, SHAPES),
    ('osc2_glide', 127, 'num'), ('osc2_kbd', 1, OFF_ON), ('osc2_sub', 127, 'num'),
    ('osc_sync', 1, OFF_ON), ('glide_mode', 3, GLIDE_MODES), ('slop', 5, 'num'),
    ('bend_range', 12, 'num'), ('key_mode', 5, KEY_MODES), ('osc_mix', 127, 'num'),
    ('noise', 127, 'num'), ('ext_in', 127, 'num'),
    ('cutoff', 164, 'num'), ('resonance', 127, 'num'), ('flt_key_amt', 127, 'num'),
    ('flt_audio_mod', 127, 'num'), ('flt_4pole', 1, OFF_ON), ('flt_env_amt', 254, 'bip'),
    ('flt_vel_amt', 127, 'num'), ('flt_delay', 127, 'num'), ('flt_attack', 127, 'num'),
    ('flt_decay', 127, 'num'), ('flt_sustain', 127, 'num'), ('flt_release', 127, 'num'),
    ('vca_level', 127, 'num'), ('vca_env_amt', 127, 'num'), ('vca_vel_amt', 127, 'num'),
    ('vca_delay', 127, 'num'), ('vca_attack', 127, 'num'), ('vca_decay', 127, 'num'),
    ('vca_sustain', 127, 'num'), ('vca_release', 127, 'num'), ('volume', 127, 'num'),
] + _lfo(1) + _lfo(2) + _lfo(3) + _lfo(4) + [
    ('env3_dest', 46, DESTS), ('env3_amt', 254, 'bip'), ('env3_vel_amt', 127, 'num'),
    ('env3_delay', 127, 'num'), ('env3_attack', 127, 'num'), ('env3_decay', 127, 'num'),
    ('env3_sustain', 127, 'num'), ('env3_release', 127, 'num'), ('env3_repeat', 1, OFF_ON),
] + _mod(1) + _mod(2) + _mod(3) + _mod(4) + _route('wheel') + _route('pressure') \
  + _route('breath') + _route('velocity') + _route('foot') + [
    ('pushit_note', 127, 'note'), ('pushit_vel', 127, 'num'), ('pushit_mode', 2, PUSH_MODES),
    ('bpm', 250, 'bpm'), ('clock_div', 12, CLOCK_DIVS), ('arp_mode', 14, ARP_MODES),
    ('arp_on', 1, OFF_ON), ('seq_trigger', 5, SEQ_TRIGGERS), ('seq_on', 1, OFF_ON),
    ('seq1_dest', 46, DESTS), ('seq2_dest', 47, DESTS), ('seq3_dest', 46, DESTS),
    ('seq4_dest', 47, DESTS),
    ('knob1', 199, 'knob'), ('knob2', 199, 'knob'), ('knob3', 199, 'knob'),
    ('knob4', 199, 'knob'), ('spare1', 199, 'num'), ('spare2', 199, 'num'),
]
POSITION = {key: pos for pos, (key, _, _) in enumerate(PARAMS)}
assert len(PARAMS) == 111 and len(POSITION) == 111


def max_at(pos):
    if pos < len(PARAMS):
        return PARAMS[pos][1]
    return 126 if 136 <= pos <= 184 else 127


class BankError(Exception):
    pass


def parse_int(text):
    if not re.fullmatch(r'[+-]?\d+', text):
        raise BankError('"%s" is not a number' % text)
    return int(text)


def parse_note(text):
    m = re.fullmatch(r'([A-Ga-g]#?)(\d+)', text)
    if not m or m.group(1).lower() not in NOTE_NAMES:
        return parse_int(text)
    return NOTE_NAMES.index(m.group(1).lower()) + 12 * int(m.group(2))


def decode(kind, text):
    """Turns a written value into the stored byte, before any range check."""
    if isinstance(kind, list):
        return kind.index(text) if text in kind else parse_int(text)
    if kind == 'bip':
        return parse_int(text) + 127
    if kind == 'fine':
        return parse_int(text) + 50
    if kind == 'oscnote':
        return parse_note(text) - 24
    if kind == 'note':
        return parse_note(text)
    if kind == 'lfo' and text in LFO_CLOCKED:
        return LFO_CLOCKED[text]
    if kind == 'knob' and text in POSITION:
        return POSITION[text]
    return parse_int(text)


def encode(key, text):
    _, top, kind = PARAMS[POSITION[key]]
    try:
        value = decode(kind, text)
    except BankError as e:
        raise BankError('%s: %s' % (key, e))
    low = 30 if kind == 'bpm' else 0
    if not low <= value <= top:
        raise BankError('%s=%s is out of range (stored %d, allowed %d-%d)'
                        % (key, text, value, low, top))
    return value


def parse_step(track, text):
    if text == '-':
        value = REST
    elif text == 'reset':
        value = RESET
    else:
        value = parse_int(text)
    top = max_at(SEQ_AT + 16 * track)
    if not 0 <= value <= top:
        raise BankError('seq%d step "%s" is out of range (0-%d; rest only on seq1)'
                        % (track + 1, text, top))
    return value


class Block:
    """One template or program: its header and the settings under it."""

    def __init__(self, line_no, kind, name, parent, category=None):
        self.line_no, self.kind, self.name, self.parent = line_no, kind, name, parent
        self.category = category
        self.settings = []  # (line_no, token)
        self.steps = []     # (line_no, track, text)


def read_blocks(path):
    blocks = []
    with open(path, encoding='ascii') as f:
        for line_no, raw in enumerate(f, 1):
            line = raw.rstrip('\n')
            if not line.strip() or line.lstrip().startswith('#'):
                continue
            if line[0] in ' \t':
                if not blocks:
                    raise BankError('line %d: settings before any program' % line_no)
                body = line.split(' #')[0].strip()
                m = re.match(r'seq([1-4]):(.*)$', body)
                if m:
                    blocks[-1].steps.append((line_no, int(m.group(1)) - 1, m.group(2)))
                else:
                    blocks[-1].settings += [(line_no, t) for t in body.split()]
            elif line.startswith('template '):
                m = re.fullmatch(r'template\s+(\w+)(?:\s*:\s*(\w+))?\s*', line.split(' #')[0])
                if not m:
                    raise BankError('line %d: bad template header' % line_no)
                blocks.append(Block(line_no, 'template', m.group(1), m.group(2)))
            else:
                parts = line.split('|', 2)
                if len(parts) != 3:
                    raise BankError('line %d: expected "name | category | template"' % line_no)
                rest = parts[2].split(' #')[0].split()
                if not rest:
                    raise BankError('line %d: template missing' % line_no)
                block = Block(line_no, 'program', parts[0].rstrip(), rest[0], parts[1].strip())
                block.settings = [(line_no, t) for t in rest[1:]]
                blocks.append(block)
    return blocks


def apply_block(block, values, steps, errors, where):
    seen = set()
    for line_no, token in block.settings:
        key, eq, text = token.partition('=')
        if not eq or not text:
            errors.append('%s line %d: "%s" is not key=value' % (where, line_no, token))
        elif key not in POSITION:
            errors.append('%s line %d: unknown parameter "%s"' % (where, line_no, key))
        elif key in seen:
            errors.append('%s line %d: %s given twice' % (where, line_no, key))
        else:
            seen.add(key)
            try:
                values[key] = encode(key, text)
            except BankError as e:
                errors.append('%s line %d: %s' % (where, line_no, e))
    for line_no, track, text in block.steps:
        if ('seq', track) in seen:
            errors.append('%s line %d: seq%d given twice' % (where, line_no, track + 1))
            continue
        seen.add(('seq', track))
        words = text.split()
        if len(words) != 16:
            errors.append('%s line %d: seq%d needs 16 steps, has %d'
                          % (where, line_no, track + 1, len(words)))
            continue
        try:
            steps[track] = [parse_step(track, w) for w in words]
        except BankError as e:
            errors.append('%s line %d: %s' % (where, line_no, e))


def build_bank(path, errors):
    """Returns the bank's programs as (name, image) pairs."""
    label = os.path.basename(path)
    try:
        blocks = read_blocks(path)
    except (BankError, OSError, UnicodeDecodeError) as e:
        errors.append('%s: %s' % (label, e))
        return []
    templates, programs = {}, []
    for block in blocks:
        where = '%s %s "%s"' % (label, block.kind, block.name)
        values, steps = {}, [[0] * 16 for _ in range(4)]  # sequencer rests at 0
        category = None
        if block.kind == 'program':
            cat = block.category.lower().replace(' ', '')
            if cat in CATEGORIES:
                category = CATEGORIES.index(cat)
            elif re.fullmatch(r'\d+', cat) and int(cat) < len(CATEGORIES):
                category = int(cat)
            else:
                errors.append('%s: unknown category "%s"' % (where, block.category))
        if block.parent is not None:
            if block.parent not in templates:
                errors.append('%s: unknown template "%s"' % (where, block.parent))
                continue
            parent_values, parent_steps = templates[block.parent]
            values, steps = dict(parent_values), [list(s) for s in parent_steps]
        apply_block(block, values, steps, errors, where)
        if block.kind == 'template':
            if block.name in templates:
                errors.append('%s: template defined twice' % where)
            missing = [k for k, _, _ in PARAMS if k not in values]
            if block.parent is None and missing:
                errors.append('%s: a root template must set every parameter; missing %s'
                              % (where, ', '.join(missing)))
            templates[block.name] = (values, steps)
            continue
        image = bytearray(IMAGE_SIZE)
        for key, value in values.items():
            image[POSITION[key]] = value
        image[CATEGORY_AT] = category or 0
        for track in range(4):
            image[SEQ_AT + 16 * track:SEQ_AT + 16 * track + 16] = bytes(steps[track])
        name = block.name
        if not 1 <= len(name) <= NAME_LEN or any(not 32 <= ord(c) <= 126 for c in name):
            errors.append('%s: a name needs 1-16 ASCII characters 32-126' % where)
        else:
            image[NAME_AT:NAME_AT + NAME_LEN] = name.ljust(NAME_LEN).encode('ascii')
        for pos in range(200):
            if image[pos] > max_at(pos):
                errors.append('%s: byte %d holds %d, above its maximum %d'
                              % (where, pos, image[pos], max_at(pos)))
        programs.append((name, bytes(image)))
    if len(programs) != PROGRAMS_PER_BANK:
        errors.append('%s: holds %d programs, needs %d'
                      % (label, len(programs), PROGRAMS_PER_BANK))
    return programs


def build_image():
    errors, banks = [], []
    for file_name in BANK_FILES:
        banks.append(build_bank(os.path.join(FACTORY_DIR, file_name), errors))
    first_seen = {}
    for bank_no, programs in enumerate(banks):
        for slot, (name, _) in enumerate(programs):
            where = '%s %03d "%s"' % ('ABC'[bank_no], slot, name)
            folded = name.strip().lower()
            if folded in first_seen:
                errors.append('%s: name already used by %s' % (where, first_seen[folded]))
            first_seen.setdefault(folded, where)
    if errors:
        return None, errors
    body = b''.join(image for programs in banks for _, image in programs)
    image = HEAD_MARK + body + TAIL_MARK
    assert len(image) == 98330
    return image, []


def main(argv):
    check = argv[1:] == ['--check']
    if argv[1:] and not check:
        print('usage: make_factory_image.py [--check]', file=sys.stderr)
        return 2
    image, errors = build_image()
    if errors:
        for e in errors:
            print('error: ' + e, file=sys.stderr)
        print('%d error(s); %s left unchanged' % (len(errors), IMAGE_PATH), file=sys.stderr)
        return 1
    rel = os.path.relpath(IMAGE_PATH, ROOT)
    if check:
        try:
            with open(IMAGE_PATH, 'rb') as f:
                current = f.read()
        except OSError:
            current = None
        if current != image:
            print('%s is out of date: run python3 tools/make_factory_image.py' % rel,
                  file=sys.stderr)
            return 1
        print('%s is up to date' % rel)
        return 0
    with open(IMAGE_PATH, 'wb') as f:
        f.write(image)
    print('wrote %s (%d bytes, %d programs)' % (rel, len(image), 3 * PROGRAMS_PER_BANK))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
