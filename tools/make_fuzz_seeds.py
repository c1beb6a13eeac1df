#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpus into fuzz/corpus/: valid dumps,
chunks and files of every kind the plug-in reads.

    python3 tools/make_fuzz_seeds.py
"""
import os

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, 'fuzz', 'corpus')


def image(seed):
    return bytes(((i * 7 + seed * 13) % 128) for i in range(256))


def pack(img):
    out = bytearray()
    for start in range(0, 256, 7):
        group = img[start:start + 7]
        out.append(sum(1 << k for k, b in enumerate(group) if b & 0x80))
        out.extend(b & 0x7F for b in group)
    assert len(out) == 293
    return bytes(out)


def edit_buffer_dump(seed):
    return bytes([0xF0, 0x01, 0x25, 0x03]) + pack(image(seed)) + bytes([0xF7])


def program_dump(bank, program, seed):
    return bytes([0xF0, 0x01, 0x25, 0x02, bank, program]) + pack(image(seed)) + bytes([0xF7])


def global_dump(count):
    data = bytearray([0xF0, 0x01, 0x25, 0x0F])
    for i in range(count):
        data += bytes([i % 16, (i // 16) % 16])
    return bytes(data + bytes([0xF7]))


def nrpn(number, value, channel=0):
    cc = 0xB0 | channel
    return bytes([cc, 99, number >> 7, cc, 98, number & 127, cc, 6, value >> 7, cc, 38, value & 127])


def settings_text(entries):
    return ''.join('^|%s|^' % e for e in entries).encode()


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def main():
    # MIDI input: the first byte picks how the stream is cut.
    write('midi_input', 'edit_buffer_dump', b'\x40' + edit_buffer_dump(1))
    write('midi_input', 'program_dump_in_pieces', b'\x08' + program_dump(1, 5, 2))
    write('midi_input', 'global_dump', b'\x40' + global_dump(100))
    write('midi_input', 'nrpn_program_and_global', b'\x40' + nrpn(15, 99) + nrpn(384, 5))
    write('midi_input', 'notes_bend_program_change', b'\x40' + bytes([0x90, 60, 100, 0x80, 60, 0, 0xE0, 0, 64, 0xB0, 32, 1, 0xC0, 9]))
    write('midi_input', 'vst2_form_thru', b'\xC0' + bytes([0x90, 60, 100, 0xB0, 7, 90]) + nrpn(20, 300))
    write('midi_input', 'real_time_inside_dump', b'\x20' + program_dump(0, 3, 3)[:150] + b'\xF8\xFE' + program_dump(0, 3, 3)[150:])

    bank = b'MophoPluginBankVersion100' + b''.join(image(s) for s in range(128)) + image(200) + bytes([3])
    write('state_chunks', 'bank_chunk', bank)
    write('state_chunks', 'program_chunk', b'MophoPluginSettingsVersion100' + image(7))

    write('program_files', 'single_program.syx', edit_buffer_dump(4))
    write('program_files', 'junk_then_program.m_p', b'\x01\x02\x03' + program_dump(0, 0, 5))
    write('program_files', 'bank_of_5.m_b', b''.join(program_dump(0, k, k) + b'\xF0\x12\xF7' for k in range(5)))
    write('program_files', 'bank_of_128.m_b', b''.join(program_dump(0, k, k) for k in range(128)))

    defaults = ['3.0.0', '-1', '-1', '-1', '100', '0', '', '', '1'] + ['0'] * 41
    write('settings_files', 'settings', b'\x00' + settings_text(defaults))
    write('settings_files', 'settings_short', b'\x00' + settings_text(['1', '2']))
    write('settings_files', 'port_file', b'\x01' + b'NONE\x0fNONE\x10NONE\x110\x12')
    write('settings_files', 'port_file_names', b'\x01' + b'Synth Out\x0fSynth In\x10NONE\x111\x12')
    data_file = b'*Mopho  Data >' + b''.join(image(s) for s in range(384)) + b'< Mopho  Data'
    write('settings_files', 'bank_data_file', b'\x02' + data_file)
    write('settings_files', 'bank_data_short', b'\x02' + data_file[:5000])


if __name__ == '__main__':
    main()
