"""What both modules hold alike: the version blocks, the framework's strings
and its "New" document-type dialog."""
from .framework_strings import FRAMEWORK_STRINGS
from .dialogs import Dialog

VERSION_KEYS = ('Comments', 'CompanyName', 'FileDescription', 'FileVersion', 'LegalCopyright',
                'LegalTrademarks', 'ProductName', 'ProductVersion')


def ranges(*spans):
    """Identifiers from (first, last) pairs and single numbers."""
    out = []
    for span in spans:
        out += list(range(span[0], span[1] + 1)) if isinstance(span, tuple) else [span]
    return out


def framework_strings(ids, product, overrides=None):
    texts = dict(FRAMEWORK_STRINGS)
    texts.update(overrides or {})
    return {i: texts[i].replace('@PRODUCT@', product) for i in ids}


def versions(script, product, description, english_version):
    """The Czech-tagged block of the first release and the US-English block of this one."""
    for lang, numbers in ((1029, (4, 0, 2480, 4)), (1033, english_version)):
        texts = (('Comments', product + ' user interface, US English'), ('CompanyName', 'KAVEX Software'),
                 ('FileDescription', description), ('FileVersion', '@VERSION@'),
                 ('LegalCopyright', 'Copyright (C) 1998-2004 KAVEX Software'),
                 ('LegalTrademarks', product + ' is a trademark of KAVEX Software'),
                 ('ProductName', product), ('ProductVersion', '@VERSION@'))
        assert tuple(k for k, _ in texts) == VERSION_KEYS
        script.version(lang, numbers, texts)


def new_document_dialog():
    """The framework's choice of document type for File New."""
    return Dialog(30721, 'New', [('list', '&New', 5)], width=110, ex=False)


def emit_dialogs(script, dialogs, dialog_init_ids):
    """Writes the templates and the initialisation data of those that fill combo boxes;
    only the dialogs listed as having initialisation data may fill any."""
    for dialog in dialogs:
        combos = dialog.emit(script)
        assert bool(combos) == (dialog.id in dialog_init_ids), 'combo entries of dialog %d' % dialog.id
        if combos:
            script.dialog_init(dialog.id, 1033, combos)
