"""Generator of the resource scripts of the host applications' resource modules.

The images, string tables, toolbars and version blocks are made from the
compact tables of each module, so that no binary resource is edited by hand
and every build writes the same bytes."""
