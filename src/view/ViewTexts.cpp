// placeholder: filled in by its own work item
